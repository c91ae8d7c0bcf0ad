#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

class CIniLocalLan;

// The texts the program shows besides the controls' own: messages, questions and the busy
// dialog. Each has a key of the language files' section LANG and a built-in English text, in one
// table (TextCatalog.cpp); adding a text is a row there, an id here and a line in each language
// file.
enum class TextId {
    BusyExchanging,
    BusyElapsed,
    LoadLength,
    LoadMissingValues,
    LoadExtraBytes,
    LoadAnyway,
    SaveFailed,
    SerialInvalidNumber,
    SerialRefusedSetting,
    SerialNoPortName,
    SerialAlreadyOpen,
    SerialNotFound,
    SerialAccessDenied,
    SerialSettingsRejected,
    SerialOpenFailed,
    SerialSystemReason,
    FileToolNotLoaded,
    FileToolIncomplete,
    FileNonFinite,
    FileCannotWrite,
    FileCannotRead,
    WhereChannelL,
    WhereChannelR,
    WhereBand,
    BandLowShelf,
    BandPeaking,
    BandHighShelf,
    AreaHeader,
    AreaGain1,
    AreaTenBand,
    AreaDrc,
    AreaLimiter,
    AreaEightBand,
    AreaGain2,
    AreaUnused,
    FieldNotFinite,
    CoefficientNotFinite,
    WriteReadOnly,
    WriteCannotCreate,
    WriteFailed,
    WriteNotAFile,
    PullCannotMoveAside,
    CollectBackup,
    CollectBackupFailed,
};

struct TextEntry {
    TextId id;
    std::u16string_view key;     // in section LANG
    std::u16string_view english; // built-in; %1 to %9 stand for the arguments
};

// Looks texts up in the selected language file, section LANG, and falls back to the built-in
// English when no language file has loaded, the key is missing or empty, or the translation
// does not carry the same placeholders as the English text (a message must never lose the path
// or number it names). A default-constructed catalog gives the built-in English (the command
// line).
class TextCatalog {
public:
    TextCatalog() = default;
    // Keeps a reference to language; lookups use its text section, never that of GetValue.
    explicit TextCatalog(CIniLocalLan& language) : language_(&language) {}

    std::u16string Text(TextId id) const;
    // Text with %1, %2, ... replaced by the arguments in one pass: an argument is inserted as
    // it is, even when it holds a % sign itself.
    std::u16string Format(TextId id, std::initializer_list<std::u16string_view> args) const;

    static std::span<const TextEntry> Entries();
    static const TextEntry& Entry(TextId id);
    static std::u16string Substitute(std::u16string_view pattern,
                                     std::initializer_list<std::u16string_view> args);
    // The placeholders a text carries, as a bit set (bit n for %n).
    static unsigned Placeholders(std::u16string_view text);

private:
    CIniLocalLan* language_ = nullptr;
};
