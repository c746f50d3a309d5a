// Objects behind handles, for the stand-in's GDI objects, DCs, icons and menus. Handles count up
// in steps of four from a base of their own kind and are not reused; UI thread only, no locking.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <utility>

namespace win32sim {

template <class THandle, class TObject>
class CHandleTable {
public:
    explicit CHandleTable(std::uintptr_t nFirst) : m_nNext(nFirst) {}

    THandle Add(TObject object) {
        const std::uintptr_t nHandle = m_nNext;
        m_nNext += kHandleStep;
        m_objects.emplace(nHandle, std::move(object));
        return reinterpret_cast<THandle>(nHandle);
    }

    // The object behind the handle, or nullptr.
    TObject* Find(THandle h) {
        auto it = m_objects.find(reinterpret_cast<std::uintptr_t>(h));
        return it == m_objects.end() ? nullptr : &it->second;
    }

    void Erase(THandle h) { m_objects.erase(reinterpret_cast<std::uintptr_t>(h)); }
    void Clear() { m_objects.clear(); }
    std::size_t Size() const { return m_objects.size(); }

    template <class TPredicate>
    std::size_t CountIf(TPredicate predicate) const {
        std::size_t nCount = 0;
        for (const auto& entry : m_objects)
            nCount += predicate(entry.second) ? 1 : 0;
        return nCount;
    }

private:
    // Windows' handles are multiples of four; code that tags their low bits expects as much.
    static constexpr std::uintptr_t kHandleStep = 4;

    std::map<std::uintptr_t, TObject> m_objects;
    std::uintptr_t m_nNext;
};

}  // namespace win32sim
