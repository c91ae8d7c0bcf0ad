#include "settings/TextCatalog.h"

#include "settings/CIniLocalLan.h"

#include <array>
#include <cstddef>

namespace {

using T = TextId;

constexpr std::array kEntries = {
    TextEntry{T::BusyExchanging, u"IDS_BUSY_EXCHANGING",
              u"Exchanging the parameter file with the device over adb, please wait…"},
    TextEntry{T::BusyElapsed, u"IDS_BUSY_ELAPSED", u"%1 s elapsed"},
    TextEntry{T::LoadLength, u"IDS_LOAD_LENGTH",
              u"The file \"%1\" is %2 bytes long; a parameter file is %3 bytes."},
    TextEntry{T::LoadMissingValues, u"IDS_LOAD_MISSING_VALUES",
              u"The values missing from the file will read as 0, and the next save of the "
              u"configuration writes those zeros into config.ini as well."},
    TextEntry{T::LoadExtraBytes, u"IDS_LOAD_EXTRA_BYTES",
              u"Only the first %1 bytes are read; the rest is ignored."},
    TextEntry{T::LoadAnyway, u"IDS_LOAD_ANYWAY", u"Load it anyway?"},
    TextEntry{T::SaveFailed, u"IDS_SAVE_FAILED",
              u"Saving failed: \"%1\" cannot be written (it is missing or not writable). The "
              u"settings are kept only until the program ends."},
    TextEntry{T::SerialInvalidNumber, u"IDS_SERIAL_INVALID_NUMBER", u"Invalid port number %1."},
    TextEntry{T::SerialRefusedSetting, u"IDS_SERIAL_REFUSED_SETTING",
              u"The serial port refused a setting."},
    TextEntry{T::SerialNoPortName, u"IDS_SERIAL_NO_PORT_NAME",
              u"No serial port has the number %1."},
    TextEntry{T::SerialAlreadyOpen, u"IDS_SERIAL_ALREADY_OPEN", u"Serial port %1 is already open."},
    TextEntry{T::SerialNotFound, u"IDS_SERIAL_NOT_FOUND",
              u"Cannot open serial port %1: the port does not exist."},
    TextEntry{T::SerialAccessDenied, u"IDS_SERIAL_ACCESS_DENIED",
              u"Cannot open serial port %1: access is denied or the port is in use."},
    TextEntry{T::SerialSettingsRejected, u"IDS_SERIAL_SETTINGS_REJECTED",
              u"Cannot open serial port %1: the port does not accept the line settings."},
    TextEntry{T::SerialOpenFailed, u"IDS_SERIAL_OPEN_FAILED", u"Cannot open serial port %1."},
    TextEntry{T::SerialSystemReason, u"IDS_SERIAL_SYSTEM_REASON", u"(%1)"},
    TextEntry{T::FileToolNotLoaded, u"IDS_FILE_TOOL_NOT_LOADED",
              u"The parameter file \"%1\" was not written: the filter design library %2 is not "
              u"loaded, so no equaliser coefficients can be computed."},
    TextEntry{T::FileToolIncomplete, u"IDS_FILE_TOOL_INCOMPLETE",
              u"The parameter file \"%1\" was not written: the filter design library %2 lacks "
              u"EQ10Product or EQ8Product, so no equaliser coefficients can be computed."},
    TextEntry{T::FileNonFinite, u"IDS_FILE_NON_FINITE",
              u"The parameter file \"%1\" was not written: %2."},
    TextEntry{T::FileCannotWrite, u"IDS_FILE_CANNOT_WRITE",
              u"The parameter file \"%1\" could not be written: %2. An earlier file of that name "
              u"is unchanged."},
    TextEntry{T::FileCannotRead, u"IDS_FILE_CANNOT_READ",
              u"The parameter file \"%1\" could not be read: it is missing, unreadable or not a "
              u"regular file."},
    TextEntry{T::WhereChannelL, u"IDS_WHERE_CHANNEL_L", u"channel L (channel0), %1"},
    TextEntry{T::WhereChannelR, u"IDS_WHERE_CHANNEL_R", u"channel R (channel1), %1"},
    TextEntry{T::WhereBand, u"IDS_WHERE_BAND", u"%1, band %2 (%3)"},
    TextEntry{T::BandLowShelf, u"IDS_BAND_LOW_SHELF", u"low shelf"},
    TextEntry{T::BandPeaking, u"IDS_BAND_PEAKING", u"peaking"},
    TextEntry{T::BandHighShelf, u"IDS_BAND_HIGH_SHELF", u"high shelf"},
    TextEntry{T::AreaHeader, u"IDS_AREA_HEADER", u"header"},
    TextEntry{T::AreaGain1, u"IDS_AREA_GAIN1", u"Gain1"},
    TextEntry{T::AreaTenBand, u"IDS_AREA_TEN_BAND", u"ten-band equaliser"},
    TextEntry{T::AreaDrc, u"IDS_AREA_DRC", u"DRC"},
    TextEntry{T::AreaLimiter, u"IDS_AREA_LIMITER", u"limiter"},
    TextEntry{T::AreaEightBand, u"IDS_AREA_EIGHT_BAND", u"eight-band equaliser"},
    TextEntry{T::AreaGain2, u"IDS_AREA_GAIN2", u"Gain2"},
    TextEntry{T::AreaUnused, u"IDS_AREA_UNUSED", u"unused area"},
    TextEntry{T::FieldNotFinite, u"IDS_FIELD_NOT_FINITE", u"%1, %2 is not a finite number"},
    TextEntry{T::CoefficientNotFinite, u"IDS_COEFFICIENT_NOT_FINITE",
              u"%1: a filter coefficient is not a finite number; check the band's gain, "
              u"frequency and Q and the sample rate"},
    TextEntry{T::WriteReadOnly, u"IDS_WRITE_READ_ONLY", u"the file is read-only"},
    TextEntry{T::WriteCannotCreate, u"IDS_WRITE_CANNOT_CREATE", u"the file cannot be created"},
    TextEntry{T::WriteFailed, u"IDS_WRITE_FAILED",
              u"writing the file failed (disk full or I/O error)"},
    TextEntry{T::WriteNotAFile, u"IDS_WRITE_NOT_A_FILE",
              u"the path names a folder or a device, not a file"},
    TextEntry{T::PullCannotMoveAside, u"IDS_PULL_CANNOT_MOVE_ASIDE",
              u"The earlier \"%1\" could not be moved aside to \"%2\" before the pull; nothing "
              u"was fetched."},
    TextEntry{T::CollectBackup, u"IDS_COLLECT_BACKUP",
              u"Collect mode: the language file \"%1\" is kept as \"%2\" before it is written "
              u"over."},
    TextEntry{T::CollectBackupFailed, u"IDS_COLLECT_BACKUP_FAILED",
              u"Collect mode: the language file \"%1\" could not be copied to \"%2\", so it is "
              u"not written over; the collected texts stay in memory."},
};

// The table is indexed by id: each row must stand at the position of its id.
constexpr bool InIdOrder() {
    for (std::size_t i = 0; i < kEntries.size(); ++i) {
        if (static_cast<std::size_t>(kEntries[i].id) != i) {
            return false;
        }
    }
    return true;
}
static_assert(InIdOrder(), "the text table must list the ids in their order");
static_assert(kEntries.back().id == TextId::CollectBackupFailed, "every id needs a row");

bool IsDigit1To9(char16_t c) {
    return c >= u'1' && c <= u'9';
}

} // namespace

std::span<const TextEntry> TextCatalog::Entries() {
    return kEntries;
}

const TextEntry& TextCatalog::Entry(TextId id) {
    return kEntries[static_cast<std::size_t>(id)];
}

unsigned TextCatalog::Placeholders(std::u16string_view text) {
    unsigned found = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] == u'%' && IsDigit1To9(text[i + 1])) {
            found |= 1U << (text[i + 1] - u'0');
            ++i;
        }
    }
    return found;
}

std::u16string TextCatalog::Text(TextId id) const {
    const TextEntry& entry = Entry(id);
    if (language_ != nullptr && language_->Loaded()) {
        std::u16string translated = language_->GetText(u"LANG:" + std::u16string(entry.key));
        if (!translated.empty() && Placeholders(translated) == Placeholders(entry.english)) {
            return translated;
        }
    }
    return std::u16string(entry.english);
}

std::u16string TextCatalog::Format(TextId id,
                                   std::initializer_list<std::u16string_view> args) const {
    return Substitute(Text(id), args);
}

std::u16string TextCatalog::Substitute(std::u16string_view pattern,
                                       std::initializer_list<std::u16string_view> args) {
    std::u16string text;
    text.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern[i] == u'%' && i + 1 < pattern.size() && IsDigit1To9(pattern[i + 1])) {
            const auto index = static_cast<std::size_t>(pattern[i + 1] - u'1');
            if (index < args.size()) {
                text += *(args.begin() + index);
                ++i;
                continue;
            }
        }
        text += pattern[i];
    }
    return text;
}
