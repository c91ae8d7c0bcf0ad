#include "settings/IniFileResult.h"

#include "base/NumberText.h"

namespace {

// "the value of Key in [Section]", "the key Key in [Section]" or "the section name [Section]".
std::u16string Place(const IniFileResult& result, TextId part, const TextCatalog& texts) {
    if (result.key.empty()) {
        return texts.Format(TextId::IniPlaceSection, {result.section});
    }
    return texts.Format(part, {result.key, result.section});
}

} // namespace

bool IniFileResult::OldFileIntact() const {
    return status != IniFileStatus::CannotWrite || SafeFile::OldFileIntact(write);
}

std::u16string IniFileResult::Describe(const TextCatalog& texts) const {
    switch (status) {
    case IniFileStatus::Ok:
        return {};
    case IniFileStatus::CannotRead:
        if (read == SafeReadResult::TooLarge) {
            return texts.Format(TextId::IniTooLarge,
                                {NumberText::Widen(NumberText::FormatInt(kIniFileMaxBytes >> 20))});
        }
        return SafeFile::Describe(read, texts);
    case IniFileStatus::OutOfMemory:
        return texts.Text(TextId::IniOutOfMemory);
    case IniFileStatus::LineBreak:
        return texts.Format(TextId::IniLineBreak, {Place(*this, TextId::IniPlaceValue, texts)});
    case IniFileStatus::NotEncodable:
        return texts.Format(TextId::IniNotEncodable, {Place(*this, TextId::IniPlaceValue, texts)});
    case IniFileStatus::BadKey:
        return texts.Format(TextId::IniBadKey, {Place(*this, TextId::IniPlaceKey, texts)});
    case IniFileStatus::CannotWrite:
        return SafeFile::DescribeFailure(write, texts);
    case IniFileStatus::NoFile:
        return texts.Text(TextId::IniNoFile);
    case IniFileStatus::KeptUnread:
        return texts.Text(TextId::IniKeptUnread);
    }
    return texts.Text(TextId::IniOutOfMemory);
}
