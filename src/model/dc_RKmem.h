#pragma once
// The decoded, editable form of one radio's configuration.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "model/U_RKmem.h"

class TRKmem {
  public:
    static constexpr int32_t kMdcIdCount = 11;

#define RK_INT(name) int32_t name = 0;
#define RK_STR(name) std::string name;
#define RK_ARR(name, n) std::array<int32_t, n> name{};
#define RK_OBJ(type, name) type name;
#define RK_LIST(name, n) std::array<int32_t, n> name{};
#define RK_TEXTS(name, n) std::array<std::string, n> name{};
#include "model/dc_RKmemFields.def"
#undef RK_INT
#undef RK_STR
#undef RK_ARR
#undef RK_OBJ
#undef RK_LIST
#undef RK_TEXTS

    // Whole-model copy: owned tables are values, so nothing is ever shared.
    void Assign(const TRKmem& source) {
        *this = source;
    }
    bool Equals(const TRKmem& other) const {
        return *this == other;
    }
    friend bool operator==(const TRKmem&, const TRKmem&) = default;

    // The defaults of a new configuration; fields it does not name keep their values.
    void SetNewConfiguration();
    // The MDC1200 block and identifiers of a new configuration (also loaded
    // when the ANI type becomes MDC1200).
    void SetMdcDefaults();

    // Per-channel and per-group lists, entries 0..249.
    int32_t GetUserScan(int32_t i) const {
        return UserScanList[static_cast<size_t>(i)];
    }
    void SetUserScan(int32_t i, int32_t v) {
        UserScanList[static_cast<size_t>(i)] = v;
    }
    int32_t GetDealerScan(int32_t i) const {
        return DealerScanList[static_cast<size_t>(i)];
    }
    void SetDealerScan(int32_t i, int32_t v) {
        DealerScanList[static_cast<size_t>(i)] = v;
    }
    int32_t GetGroupModeA(int32_t i) const {
        return GroupModeFlagA[static_cast<size_t>(i)];
    }
    void SetGroupModeA(int32_t i, int32_t v) {
        GroupModeFlagA[static_cast<size_t>(i)] = v;
    }
    int32_t GetGroupModeB(int32_t i) const {
        return GroupModeFlagB[static_cast<size_t>(i)];
    }
    void SetGroupModeB(int32_t i, int32_t v) {
        GroupModeFlagB[static_cast<size_t>(i)] = v;
    }
    bool GroupModeAEquals(const TRKmem& o) const {
        return GroupModeFlagA == o.GroupModeFlagA;
    }
    bool GroupModeBEquals(const TRKmem& o) const {
        return GroupModeFlagB == o.GroupModeFlagB;
    }
    void CopyGroupModeA(const TRKmem& o) {
        GroupModeFlagA = o.GroupModeFlagA;
    }
    void CopyGroupModeB(const TRKmem& o) {
        GroupModeFlagB = o.GroupModeFlagB;
    }

    // MDC1200 identifiers: entry 0 emergency, 1..10 IDs 1 to 10.
    const std::string& GetMdcPttId(int32_t i) const {
        return MdcPttIds[static_cast<size_t>(i)];
    }
    void SetMdcPttId(int32_t i, std::string v) {
        MdcPttIds[static_cast<size_t>(i)] = std::move(v);
    }
    const std::string& GetMdcMessageId(int32_t i) const {
        return MdcMessageIds[static_cast<size_t>(i)];
    }
    void SetMdcMessageId(int32_t i, std::string v) {
        MdcMessageIds[static_cast<size_t>(i)] = std::move(v);
    }

    // Walks every scalar setting (numbers and texts, array elements as
    // "RefDivider[0]"), in declaration order: fn(name, int32_t&) or
    // fn(name, std::string&). Owned tables and the 250-entry lists are not
    // scalars and are not visited.
    template <class Fn> void VisitScalars(Fn&& fn);
    template <class Fn> void VisitScalars(Fn&& fn) const;
};

namespace rkmem_detail {
// "RefDivider[0]": a name with a lifetime of the program, for the visitors.
std::string_view IndexedName(std::string_view base, size_t index);
} // namespace rkmem_detail

#define RK_INT(name) fn(std::string_view(#name), name);
#define RK_STR(name) fn(std::string_view(#name), name);
#define RK_ARR(name, n)                                                                                      \
    for (size_t i_ = 0; i_ < (n); ++i_)                                                                      \
        fn(rkmem_detail::IndexedName(#name, i_), name[i_]);
#define RK_OBJ(type, name)
#define RK_LIST(name, n)
#define RK_TEXTS(name, n)
template <class Fn> void TRKmem::VisitScalars(Fn&& fn) {
#include "model/dc_RKmemFields.def"
}
template <class Fn> void TRKmem::VisitScalars(Fn&& fn) const {
#include "model/dc_RKmemFields.def"
}
#undef RK_INT
#undef RK_STR
#undef RK_ARR
#undef RK_OBJ
#undef RK_LIST
#undef RK_TEXTS
