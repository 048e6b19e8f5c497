// Lays out the band template files and the default data file of the program
// folder from data/templates.json, with the program's own encoder:
//   mktemplates DESCRIPTION.json PROGRAM_FOLDER
// Every file is decoded again and checked before it is written, so a build
// never ships a template that the program would reject or misname.

#include <charconv>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <stdexcept>
#include <string>

#include "image/dc_DataFile.h"
#include "image/dc_Map36Const.h"
#include "model/dc_MessageBox.h"
#include "model/dc_Rules.h"
#include "json/dc_Json.h"

namespace fs = std::filesystem;

namespace {

struct TFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

void Patch(TRKmem& model, const TJson& patch, const std::string& where) {
    std::string error;
    if (!ApplyJson(patch, model, error)) throw TFailure(where + ": " + error);
}

int BandTypeOfCode(const std::string& code, const std::string& productType) {
    for (int t = 0; t < kBandTypeCount; ++t)
        if (BandTemplateCode(t, productType) == code) return t;
    throw TFailure("band code " + code + " is not a band of " + productType);
}

int32_t HexByte(const std::string& text, size_t at) {
    int32_t v = 0;
    const auto r = std::from_chars(text.data() + at, text.data() + at + 2, v, 16);
    if (text.size() < at + 2 || r.ec != std::errc() || r.ptr != text.data() + at + 2)
        throw TFailure("firmware version " + text + " is not four hexadecimal digits");
    return v;
}

// The fields the encoder never writes: a radio gets them at the factory, a
// template gets them here.
void PutFactoryFields(const TRKmem& m, TMap& image) {
    for (const TScalarField& f : ScalarFields())
        if (f.Direction == fdDecodeOnly) image.PutValue(f.Desc, f.Get(m));
    for (const TTextField& f : TextFields())
        if (f.Direction == fdDecodeOnly) image.PutText(f.Desc, m.*f.Member);

    image.PutValue(kBandCodeRaw, kBandCodeRawValues.at(static_cast<size_t>(m.BandCode)));
    image.PutValue(kProductFamily, m.ProductFamily);
    image.PutValue(kProductCode, m.ProductCode);
    image.PutValue(kProductSelector, m.ProductType == "TR-2300" ? 1 : 0);
    image.PutValue(kFirmwareHigh, HexByte(m.FirmwareVersion, 0));
    image.PutValue(kFirmwareLow, HexByte(m.FirmwareVersion, 2));

    // Pair k of the band-limit table holds the edges of band type k, so that
    // BandPair names the model's band.
    for (int32_t k = 0; k < kBandTypeCount; ++k) {
        const TBandSettings& s = BandSettings(k, m.ProductType);
        image.PutValue(BandLowerEdgeDesc(k), s.BandLowerEdge);
        image.PutValue(BandUpperEdgeDesc(k), s.BandUpperEdge);
    }
}

// Five points spread over the band edges, frequencies in whole kHz.
void PutOffsetTables(const TRKmem& m, const TJson& values, TMap& image) {
    const char* names[] = {"OffsetTables1", "OffsetTables2", "OffsetTables3", "OffsetTables4",
                           "OffsetTables5", "OffsetTables6", "OffsetTables7"};
    for (size_t t = 0; t < kOffsetTableAreas.size(); ++t) {
        const TJson& v = values.at(names[t]);
        if (!v.is_array() || v.size() != 5) throw TFailure(std::string(names[t]) + " needs five values");
        for (int32_t p = 0; p < 5; ++p) {
            const int64_t hz =
                m.BandLowerEdge + (static_cast<int64_t>(m.BandUpperEdge) - m.BandLowerEdge) * p / 4;
            int64_t khz = hz / 1000;
            const int32_t start = kOffsetTableAreas[t].RecordStart(p);
            for (int32_t d = kOffsetDigitCount - 1; d >= 0; --d) {
                image.PutValue(At(NibbleDesc(d), start), static_cast<int32_t>(khz % 10));
                khz /= 10;
            }
            image.PutValue(At(kOffsetValue, start), v[static_cast<size_t>(p)].get<int32_t>());
        }
    }
}

void PutStandby(TRKmem& m, const std::string& rxFreq) {
    double mhz = 0;
    if (!TextToFloat(rxFreq, mhz)) throw TFailure("standby frequency " + rxFreq + " is not a number");
    const TPllEncoding e = EncodePll(0, pdReceive, 0, m, mhz);
    TSTBYRPData& entry = m.StandbyRepeaterData[m.StbyIndex];
    entry.SynthConfig = e.Selector;
    entry.SynthFraction = e.Word.SynthFraction;
    entry.SynthCount64 = e.Word.SynthCount64;
    entry.SynthCount72 = e.Word.SynthCount72;
    entry.SynthCount65 = e.Word.SynthCount65;
}

void Check(bool condition, const std::string& what) {
    if (!condition) throw TFailure(what);
}

TMap36 MakeTemplate(const TJson& d, const std::string& folder, const std::string& head,
                    const std::string& code) {
    const TJson& product = d.at("products").at(folder);
    const std::string where = folder + "/sing" + head + code;
    TRKmem m;
    m.SetNewConfiguration();
    Patch(m, d.at("common"), where + " (common)");
    Patch(m, product.at("patch"), where + " (product)");
    const int bandType = BandTypeOfCode(code, m.ProductType);
    SetBandType(m, bandType);
    ApplyBandSettings(m, bandType);
    m.BandPair = bandType;
    Patch(m, d.at("heads").at(head), where + " (head)");
    const TJson& band = d.at("bands").at(code);
    Patch(m, band.at("patch"), where + " (band)");
    PutStandby(m, band.at("standbyRxFreq").get<std::string>());

    TMap36 image;
    PutFactoryFields(m, image);
    PutOffsetTables(m, d.at("offsetValues"), image);
    // Manufacture mode writes the serial number: the new configuration's
    // "0FFFFFFFF" leaves the packed form unset, so a template has none.
    image.Encode(m, false, TCodecContext{2});

    // Store the file as the editor saves it after loading it: the codec keeps
    // a decoded blank tag as blanks where a fresh one gets the 0xFF fill.
    TRKmem decoded;
    Check(image.Decode(decoded), where + ": the decoder rejects the image");
    image.Encode(decoded, false);
    // A template stands for a radio (an emulated one starts from it): its
    // identity copy is the one a full write would leave.
    SealIdentityCopy(image);
    decoded = TRKmem();
    Check(image.Decode(decoded), where + ": the decoder rejects the image");
    Check(decoded.ProductType == m.ProductType, where + ": decodes as product " + decoded.ProductType);
    Check(BandType(decoded) == bandType,
          where + ": decodes as band " + BandName(BandType(decoded), m.ProductType));
    Check(decoded.ControlHeadType == m.ControlHeadType, where + ": decodes with the other head");
    Check(decoded.BandLowerEdge == m.BandLowerEdge && decoded.BandUpperEdge == m.BandUpperEdge,
          where + ": band edges do not decode");
    const TChannel& ch = decoded.Channels[0];
    Check(ch.Blank == 0 && ch.RxFreq.ToFloat() == m.Channels[0].RxFreq.ToFloat() &&
              ch.TxFreq.ToFloat() == m.Channels[0].TxFreq.ToFloat(),
          where + ": channel 1 decodes as " + DecimalToText(ch.RxFreq) + "/" + DecimalToText(ch.TxFreq));
    // Loading and saving it again changes nothing.
    TMap36 again = image;
    again.Encode(decoded, false);
    for (int32_t i = 0; i < TMap::Size; ++i)
        Check(again.Buf[static_cast<size_t>(i)] == image.Buf[static_cast<size_t>(i)],
              where + ": saving the loaded template changes byte " + std::to_string(i) + " from " +
                  std::to_string(image.Buf[static_cast<size_t>(i)]) + " to " +
                  std::to_string(again.Buf[static_cast<size_t>(i)]));
    return image;
}

void Write(const fs::path& path, const TMap& image) {
    fs::create_directories(path.parent_path());
    if (!WriteDataFile(path, image)) throw TFailure("cannot write " + path.string());
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: mktemplates DESCRIPTION.json PROGRAM_FOLDER\n");
        return 2;
    }
    try {
        std::ifstream in(argv[1], std::ios::binary);
        if (!in) throw TFailure(std::string("cannot read ") + argv[1]);
        const TJson d = TJson::parse(in);
        const fs::path out = argv[2];
        const TJson& def = d.at("defaultFile");
        int count = 0;
        for (const auto& [folder, product] : d.at("products").items()) {
            for (const auto& head : {"nor", "mot"}) {
                for (const auto& codeJson : product.at("bands")) {
                    const std::string code = codeJson.get<std::string>();
                    const TMap36 image = MakeTemplate(d, folder, head, code);
                    Write(out / "NewFile" / folder / ("sing" + std::string(head) + code + ".k36"), image);
                    ++count;
                    if (folder == def.at("product") && head == def.at("head") && code == def.at("band"))
                        Write(out / def.at("name").get<std::string>(), image);
                }
            }
        }
        std::printf("mktemplates: %d band templates and %s under %s\n", count,
                    def.at("name").get<std::string>().c_str(), out.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mktemplates: %s\n", e.what());
        return 1;
    }
    return 0;
}
