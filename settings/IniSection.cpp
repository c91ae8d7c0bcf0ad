#include "settings/IniSection.h"

IniEntry* IniSection::FindEntry(std::u16string_view key) const {
    const auto it = entries_.find(IniNameLess::Trim(key));
    return it == entries_.end() ? nullptr : it->second.get();
}

IniEntry& IniSection::FindOrAddEntry(std::u16string_view key) {
    const std::u16string_view trimmed = IniNameLess::Trim(key);
    auto it = entries_.find(trimmed);
    if (it == entries_.end()) {
        std::u16string name(trimmed);
        auto entry = std::make_unique<IniEntry>(*this, name);
        it = entries_.emplace(std::move(name), std::move(entry)).first;
    }
    return *it->second;
}
