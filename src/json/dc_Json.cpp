#include "json/dc_Json.h"

#include <charconv>
#include <limits>
#include <type_traits>

namespace {

// ---- Record shapes ---------------------------------------------------------
// One list of the fields of each record type serves both directions: the
// visitor is called with each field's JSON name and a reference to it.

template <class V> void Describe(V& v, TPllWord& w) {
    v("SynthFraction", w.SynthFraction);
    v("SynthCount64", w.SynthCount64);
    v("SynthCount72", w.SynthCount72);
    v("SynthCount65", w.SynthCount65);
}

template <class V> void Describe(V& v, TChannel& c) {
    v("Blank", c.Blank);
    v("Narrow", c.Narrow);
    v("Compander", c.Compander);
    v("SqlNegative", c.SqlNegative);
    v("SqlLevel", c.SqlLevel);
    v("TxInhibit", c.TxInhibit);
    v("Encryption", c.Encryption);
    v("Ani", c.Ani);
    v("SignallingOn", c.SignallingOn);
    v("SignallingCode", c.SignallingCode);
    v("RxFreq", c.RxFreq);
    v("DecIsCtcss", c.DecIsCtcss);
    v("DecToneOn", c.DecToneOn);
    v("DecCode", c.DecCode);
    v("DecPartnerCode", c.DecPartnerCode);
    v("DecPartnerFlag", c.DecPartnerFlag);
    v("RxSynthConfig", c.RxSynthConfig);
    v("RxOffsetNegative", c.RxOffsetNegative);
    v("RxOffset", c.RxOffset);
    v("TxFreq", c.TxFreq);
    v("EncIsCtcss", c.EncIsCtcss);
    v("EncToneOn", c.EncToneOn);
    v("EncCode", c.EncCode);
    v("EncFlag", c.EncFlag);
    v("TxPowerLow", c.TxPowerLow);
    v("TxSynthConfig", c.TxSynthConfig);
    v("CommonFlag", c.CommonFlag);
    v("Tot", c.Tot);
    v("Lockout", c.Lockout);
    v("SelToneTable", c.SelToneTable);
    v("OptFlag", c.OptFlag);
    v("TxFlag", c.TxFlag);
    v("RxFlag", c.RxFlag);
    v("Arts", c.Arts);
    v("TxOffsetNegative", c.TxOffsetNegative);
    v("TxOffset", c.TxOffset);
    v("TxAdjNegative", c.TxAdjNegative);
    v("TxAdj", c.TxAdj);
    v("RxPll", c.RxPll);
    v("RxDivisionRatio", c.RxDivisionRatio);
    v("TxPll", c.TxPll);
    v("Tags", c.Tags);
}

template <class V> void Describe(V& v, TSTTable& t) {
    v("Use", t.Use);
    v("EncIsCtcss", t.EncIsCtcss);
    v("EncCode", t.EncCode);
    v("EncFlag", t.EncFlag);
    v("DecIsCtcss", t.DecIsCtcss);
    v("DecCode", t.DecCode);
    v("DecFlag", t.DecFlag);
    v("ThirdIsCtcss", t.ThirdIsCtcss);
    v("ThirdCode", t.ThirdCode);
    v("ThirdFlag", t.ThirdFlag);
    v("Tag", t.Tag);
}

template <class V> void Describe(V& v, TTonePair& t) {
    v("FirstTone", t.FirstTone);
    v("SecondTone", t.SecondTone);
}

template <class V> void Describe(V& v, TPaging& p) {
    v("Mode", p.Mode);
    v("Empty", p.Empty);
    v("EncDec", p.EncDec);
    v("Digit1", p.Digit1);
    v("Digit2", p.Digit2);
    v("Digit3", p.Digit3);
    v("Code", p.Code);
}

template <class V> void Describe(V& v, TDTMFMemFormat& f) {
    v("Length", f.Length);
    v("Digits", f.Digits);
}

template <class V> void Describe(V& v, TCHCodeSW& s) {
    v("Group", s.Group);
    v("Position", s.Position);
}

template <class V> void Describe(V& v, TSTBYRPData& s) {
    v("SynthConfig", s.SynthConfig);
    v("SynthFraction", s.SynthFraction);
    v("SynthCount64", s.SynthCount64);
    v("SynthCount72", s.SynthCount72);
    v("SynthCount65", s.SynthCount65);
}

template <class V> void Describe(V& v, TPOffset& p) {
    v("Frequency", p.Frequency);
    v("Value", p.Value);
}

// The whole model, from the one list of its fields: arrays stay arrays, owned
// tables sit under their own names.
template <class V> void Describe(V& v, TRKmem& m) {
#define RK_INT(name) v(#name, m.name);
#define RK_STR(name) v(#name, m.name);
#define RK_ARR(name, n) v(#name, m.name);
#define RK_OBJ(type, name) v(#name, m.name);
#define RK_LIST(name, n) v(#name, m.name);
#define RK_TEXTS(name, n) v(#name, m.name);
#include "model/dc_RKmemFields.def"
#undef RK_INT
#undef RK_STR
#undef RK_ARR
#undef RK_OBJ
#undef RK_LIST
#undef RK_TEXTS
}

template <class T>
concept Record = requires(T& t, void (*v)(const char*, int32_t&)) {
    Describe(v, t);
};

// ---- Model to JSON ---------------------------------------------------------

TJson ToJson(int32_t v) {
    return v;
}
TJson ToJson(uint32_t v) {
    return v;
}
TJson ToJson(double v) {
    return v;
}
TJson ToJson(const std::string& v) {
    return BytesToUtf8(v);
}
TJson ToJson(const TDecimal& v) {
    return DecimalToText(v);
}
TJson ToJson(const TGrpLcdText& v) {
    return BytesToUtf8(v.Text);
}

template <class T, size_t N> TJson ToJson(std::array<T, N>& items);
template <class T, int32_t N> TJson ToJson(TFixedList<T, N>& list) {
    return ToJson(list.Items);
}
template <class T, int32_t N> TJson ToJson(TValueTable<T, N>& table) {
    return ToJson(table.Values);
}
template <Record T> TJson ToJson(T& record);

template <class T, size_t N> TJson ToJson(std::array<T, N>& items) {
    TJson out = TJson::array();
    for (auto& item : items)
        out.push_back(ToJson(item));
    return out;
}

template <Record T> TJson ToJson(T& record) {
    TJson out = TJson::object();
    auto visit = [&out](const char* name, auto& field) { out[name] = ToJson(field); };
    Describe(visit, record);
    return out;
}

// ---- JSON to model ---------------------------------------------------------

class TApplier {
  public:
    std::string Error;

    bool Fail(const std::string& key, const char* expected) {
        Error = "\"" + key + "\" must be " + expected;
        return false;
    }

    template <class I> bool Integer(const TJson& j, const std::string& key, I& out) {
        if (j.is_number_unsigned()) {
            const auto v = j.get<uint64_t>();
            if (v <= static_cast<uint64_t>(std::numeric_limits<I>::max())) {
                out = static_cast<I>(v);
                return true;
            }
        } else if (j.is_number_integer()) {
            const auto v = j.get<int64_t>();
            if (v >= static_cast<int64_t>(std::numeric_limits<I>::min()) &&
                v <= static_cast<int64_t>(std::numeric_limits<I>::max())) {
                out = static_cast<I>(v);
                return true;
            }
        }
        return Fail(key, std::is_signed_v<I> ? "a 32-bit integer" : "an unsigned 32-bit integer");
    }

    bool Apply(const TJson& j, const std::string& key, int32_t& out) { return Integer(j, key, out); }
    bool Apply(const TJson& j, const std::string& key, uint32_t& out) { return Integer(j, key, out); }

    bool Apply(const TJson& j, const std::string& key, double& out) {
        if (!j.is_number()) return Fail(key, "a number");
        out = j.get<double>();
        return true;
    }

    bool Apply(const TJson& j, const std::string& key, std::string& out) {
        if (!j.is_string() || !Utf8ToBytes(j.get_ref<const std::string&>(), out))
            return Fail(key, "a text of characters U+0000 to U+00FF");
        return true;
    }

    bool Apply(const TJson& j, const std::string& key, TGrpLcdText& out) { return Apply(j, key, out.Text); }

    bool Apply(const TJson& j, const std::string& key, TDecimal& out) {
        if (!j.is_string() || !TextToDecimal(j.get_ref<const std::string&>(), out))
            return Fail(key, "a frequency text in MHz such as \"150.0125\"");
        return true;
    }

    template <class T, int32_t N> bool Apply(const TJson& j, const std::string& key, TFixedList<T, N>& list) {
        return Apply(j, key, list.Items);
    }
    template <class T, int32_t N>
    bool Apply(const TJson& j, const std::string& key, TValueTable<T, N>& table) {
        return Apply(j, key, table.Values);
    }

    // A whole list as an array of every entry, or single entries by index.
    template <class T, size_t N> bool Apply(const TJson& j, const std::string& key, std::array<T, N>& items) {
        if (j.is_array()) {
            if (j.size() != N) return Fail(key, ("an array of " + std::to_string(N) + " entries").c_str());
            for (size_t i = 0; i < N; ++i)
                if (!Apply(j[i], Indexed(key, i), items[i])) return false;
            return true;
        }
        if (!j.is_object()) return Fail(key, ("an array of " + std::to_string(N) + " entries").c_str());
        for (const auto& item : j.items()) {
            const std::string& name = item.key();
            const TJson& value = item.value();
            size_t index = 0;
            const auto r = std::from_chars(name.data(), name.data() + name.size(), index);
            if (r.ec != std::errc() || r.ptr != name.data() + name.size() || index >= N) {
                Error = "unknown key \"" + key + "." + name + "\" (entries are 0 to " +
                        std::to_string(N - 1) + ")";
                return false;
            }
            if (!Apply(value, Indexed(key, index), items[index])) return false;
        }
        return true;
    }

    // A record: any subset of its fields; every key must name one.
    template <Record T> bool Apply(const TJson& j, const std::string& key, T& record) {
        if (!j.is_object()) return Fail(key, "an object");
        for (const auto& item : j.items()) {
            // Named references, not structured bindings: the lambda below
            // captures them, which clang 14 refuses for bindings.
            const std::string& name = item.key();
            const TJson& value = item.value();
            bool found = false, ok = true;
            auto visit = [&](const char* field, auto& member) {
                if (found || name != field) return;
                found = true;
                ok = Apply(value, key.empty() ? name : key + "." + name, member);
            };
            Describe(visit, record);
            if (!found) {
                Error = "unknown key \"" + (key.empty() ? name : key + "." + name) + "\"";
                return false;
            }
            if (!ok) return false;
        }
        return true;
    }

  private:
    static std::string Indexed(const std::string& key, size_t i) {
        return key + "[" + std::to_string(i) + "]";
    }
};

// ---- Fields a patch names, in two models side by side -----------------------
// Follows the shape of a patch that ApplyJson accepted and calls `leaf` with
// each named field's key and its value in both models.

template <class Leaf> class TPatchWalker {
  public:
    explicit TPatchWalker(Leaf& leaf) : leaf_(leaf) {}

    template <class T> void Walk(const TJson& j, const std::string& key, T& a, T& b) {
        if constexpr (Record<T>) {
            for (const auto& item : j.items()) {
                const std::string& name = item.key();
                void* inB = nullptr;
                auto findB = [&name, &inB](const char* field, auto& member) {
                    if (!inB && name == field) inB = &member;
                };
                Describe(findB, b);
                bool done = false;
                auto walkA = [&](const char* field, auto& member) {
                    if (done || name != field || !inB) return;
                    done = true;
                    Walk(item.value(), key.empty() ? name : key + "." + name, member,
                         *static_cast<std::remove_reference_t<decltype(member)>*>(inB));
                };
                Describe(walkA, a);
            }
        } else if constexpr (requires { a.Items; }) {
            Walk(j, key, a.Items, b.Items);
        } else if constexpr (requires { a.Values; }) {
            Walk(j, key, a.Values, b.Values);
        } else if constexpr (requires {
                                 a.size();
                                 a[0];
                                 typename T::value_type;
                             } &&
                             !std::is_same_v<T, std::string>) {
            if (j.is_array()) {
                for (size_t i = 0; i < a.size() && i < j.size(); ++i)
                    Walk(j[i], key + "[" + std::to_string(i) + "]", a[i], b[i]);
                return;
            }
            for (const auto& item : j.items()) {
                size_t i = 0;
                const std::string& name = item.key();
                std::from_chars(name.data(), name.data() + name.size(), i);
                if (i < a.size()) Walk(item.value(), key + "[" + std::to_string(i) + "]", a[i], b[i]);
            }
        } else {
            leaf_(key, a, b);
        }
    }

  private:
    Leaf& leaf_;
};

template <class Leaf> void WalkPatch(const TJson& patch, TRKmem& a, TRKmem& b, Leaf leaf) {
    if (!patch.is_object()) return;
    TPatchWalker<Leaf> walker(leaf);
    walker.Walk(patch, "", a, b);
}

// Trailing fraction zeros and the sign of zero say nothing about the value.
TDecimal Canonical(TDecimal d) {
    while (d.FracDigits > 0 && d.FracValue % 10 == 0) {
        d.FracValue /= 10;
        --d.FracDigits;
    }
    if (d.IntPart == 0 && d.FracValue == 0) d.Sign = 1;
    return d;
}

template <class T> bool SameValue(const T& a, const T& b) {
    if constexpr (std::is_same_v<T, TDecimal>)
        return Canonical(a) == Canonical(b);
    else
        return a == b;
}

} // namespace

TJson ModelToJson(const TRKmem& model) {
    TRKmem copy = model; // the visitors take fields by reference
    return ToJson(copy);
}

bool ApplyJson(const TJson& patch, TRKmem& model, std::string& error) {
    TApplier applier;
    if (!patch.is_object()) {
        error = "the patch must be a JSON object of model fields";
        return false;
    }
    const bool ok = applier.Apply(patch, "", model);
    error = applier.Error;
    return ok;
}

std::string DecimalToText(const TDecimal& value) {
    std::string text = value.Sign < 0 ? "-" : "";
    text += std::to_string(value.IntPart);
    if (value.FracDigits > 0) {
        std::string frac = std::to_string(value.FracValue);
        if (static_cast<int32_t>(frac.size()) < value.FracDigits)
            frac.insert(0, static_cast<size_t>(value.FracDigits) - frac.size(), '0');
        text += "." + frac;
    }
    return text;
}

bool TextToDecimal(const std::string& text, TDecimal& value) {
    const char* p = text.data();
    const char* end = p + text.size();
    TDecimal d;
    if (p != end && *p == '-') {
        d.Sign = -1;
        ++p;
    }
    if (p == end || *p < '0' || *p > '9') return false;
    auto r = std::from_chars(p, end, d.IntPart);
    if (r.ec != std::errc()) return false;
    p = r.ptr;
    if (p != end) {
        if (*p != '.') return false;
        ++p;
        const int32_t digits = static_cast<int32_t>(end - p);
        // A fraction of up to nine digits fits the 32-bit fraction value.
        if (digits < 1 || digits > 9) return false;
        for (const char* q = p; q != end; ++q)
            if (*q < '0' || *q > '9') return false;
        std::from_chars(p, end, d.FracValue);
        d.FracDigits = digits;
    }
    value = d;
    return true;
}

std::vector<TStoredDifference> StoredDifferences(const TJson& patch, const TRKmem& asked,
                                                 const TRKmem& stored) {
    TRKmem a = asked, b = stored; // the walker takes fields by reference
    std::vector<TStoredDifference> out;
    WalkPatch(patch, a, b, [&out](const std::string& key, auto& x, auto& y) {
        if (!SameValue(x, y)) out.push_back({key, ToJson(x), ToJson(y)});
    });
    return out;
}

std::vector<std::string> SubHertzFrequencies(const TJson& patch, const TRKmem& model) {
    TRKmem a = model, b = model;
    std::vector<std::string> out;
    WalkPatch(patch, a, b, [&out](const std::string& key, auto& x, auto&) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(x)>, TDecimal>) {
            // Digits past the sixth of a MHz value are fractions of a hertz.
            const TDecimal c = Canonical(x);
            if (c.FracDigits > 6) out.push_back(key);
        }
    });
    return out;
}
