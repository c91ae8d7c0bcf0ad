#pragma once

#include "base/TextSource.h"

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>

// The texts the program shows besides the controls' own: messages, questions and the busy
// dialog. One row each: the id, the key in the language files' section LANG and the built-in
// English, where %1 to %9 stand for the arguments. Adding a text is a row here and a line in
// each language file.
// clang-format off
#define SONVEX_TEXTS(X) \
    X(BusyExchanging, u"IDS_BUSY_EXCHANGING", \
      u"Exchanging the parameter file with the device over adb, please wait…") \
    X(BusyElapsed, u"IDS_BUSY_ELAPSED", u"%1 s elapsed") \
    X(LoadLength, u"IDS_LOAD_LENGTH", \
      u"The file \"%1\" is %2 bytes long; a parameter file is %3 bytes.") \
    X(LoadMissingValues, u"IDS_LOAD_MISSING_VALUES", \
      u"The values missing from the file will read as 0, and the next save of the " \
      u"configuration writes those zeros into config.ini as well.") \
    X(LoadExtraBytes, u"IDS_LOAD_EXTRA_BYTES", \
      u"Only the first %1 bytes are read; the rest is ignored.") \
    X(LoadAnyway, u"IDS_LOAD_ANYWAY", u"Load it anyway?") \
    X(SaveFailed, u"IDS_SAVE_FAILED", \
      u"Saving failed: \"%1\" cannot be written (%2). The settings are kept only until the " \
      u"program ends.") \
    X(SerialInvalidNumber, u"IDS_SERIAL_INVALID_NUMBER", u"Invalid port number %1.") \
    X(SerialRefusedSetting, u"IDS_SERIAL_REFUSED_SETTING", u"The serial port refused a setting.") \
    X(SerialNoPortName, u"IDS_SERIAL_NO_PORT_NAME", u"No serial port has the number %1.") \
    X(SerialAlreadyOpen, u"IDS_SERIAL_ALREADY_OPEN", u"Serial port %1 is already open.") \
    X(SerialNotFound, u"IDS_SERIAL_NOT_FOUND", \
      u"Cannot open serial port %1: the port does not exist.") \
    X(SerialAccessDenied, u"IDS_SERIAL_ACCESS_DENIED", \
      u"Cannot open serial port %1: access is denied or the port is in use.") \
    X(SerialSettingsRejected, u"IDS_SERIAL_SETTINGS_REJECTED", \
      u"Cannot open serial port %1: the port does not accept the line settings.") \
    X(SerialOpenFailed, u"IDS_SERIAL_OPEN_FAILED", u"Cannot open serial port %1.") \
    X(SerialSystemReason, u"IDS_SERIAL_SYSTEM_REASON", u"(%1)") \
    X(FileToolNotLoaded, u"IDS_FILE_TOOL_NOT_LOADED", \
      u"The parameter file \"%1\" was not written: the filter design library %2 is not loaded, " \
      u"so no equaliser coefficients can be computed.") \
    X(FileToolIncomplete, u"IDS_FILE_TOOL_INCOMPLETE", \
      u"The parameter file \"%1\" was not written: the filter design library %2 lacks " \
      u"EQ10Product or EQ8Product, so no equaliser coefficients can be computed.") \
    X(FileNonFinite, u"IDS_FILE_NON_FINITE", u"The parameter file \"%1\" was not written: %2.") \
    X(FileCannotWrite, u"IDS_FILE_CANNOT_WRITE", \
      u"The parameter file \"%1\" could not be written: %2. An earlier file of that name is " \
      u"unchanged.") \
    X(FileWritten, u"IDS_FILE_WRITTEN", u"The parameter file \"%1\" was written.") \
    X(FileCannotRead, u"IDS_FILE_CANNOT_READ", \
      u"The parameter file \"%1\" could not be read: it is missing, unreadable or not a " \
      u"regular file.") \
    X(FileCannotWriteDamaged, u"IDS_FILE_CANNOT_WRITE_DAMAGED", \
      u"The parameter file \"%1\" could not be written: %2.") \
    X(FileWrongLength, u"IDS_FILE_WRONG_LENGTH", \
      u"The parameter file \"%1\" was not read: it is %2 bytes long, and a parameter file has " \
      u"exactly %3 bytes.") \
    X(FileNotRead, u"IDS_FILE_NOT_READ", u"The parameter file \"%1\" was not read: %2.") \
    X(FileOutOfRange, u"IDS_FILE_OUT_OF_RANGE", \
      u"The parameter file \"%1\" was not read: %2, %3 holds %4, which is outside the range of " \
      u"a 32-bit integer.") \
    X(WhereChannelL, u"IDS_WHERE_CHANNEL_L", u"channel L (channel0), %1") \
    X(WhereChannelR, u"IDS_WHERE_CHANNEL_R", u"channel R (channel1), %1") \
    X(WhereBand, u"IDS_WHERE_BAND", u"%1, band %2 (%3)") \
    X(BandLowShelf, u"IDS_BAND_LOW_SHELF", u"low shelf") \
    X(BandPeaking, u"IDS_BAND_PEAKING", u"peaking") \
    X(BandHighShelf, u"IDS_BAND_HIGH_SHELF", u"high shelf") \
    X(AreaHeader, u"IDS_AREA_HEADER", u"header") \
    X(AreaGain1, u"IDS_AREA_GAIN1", u"Gain1") \
    X(AreaTenBand, u"IDS_AREA_TEN_BAND", u"ten-band equaliser") \
    X(AreaDrc, u"IDS_AREA_DRC", u"DRC") \
    X(AreaLimiter, u"IDS_AREA_LIMITER", u"limiter") \
    X(AreaEightBand, u"IDS_AREA_EIGHT_BAND", u"eight-band equaliser") \
    X(AreaGain2, u"IDS_AREA_GAIN2", u"Gain2") \
    X(AreaUnused, u"IDS_AREA_UNUSED", u"unused area") \
    X(FieldNotFinite, u"IDS_FIELD_NOT_FINITE", u"%1, %2 is not a finite number") \
    X(CoefficientNotFinite, u"IDS_COEFFICIENT_NOT_FINITE", \
      u"%1: a filter coefficient is not a finite number; check the band's gain, frequency and " \
      u"Q and the sample rate") \
    X(WriteReadOnly, u"IDS_WRITE_READ_ONLY", u"the file is read-only") \
    X(WriteCannotCreate, u"IDS_WRITE_CANNOT_CREATE", u"the file cannot be created") \
    X(WriteFailed, u"IDS_WRITE_FAILED", u"writing the file failed (an I/O error)") \
    X(WriteNotAFile, u"IDS_WRITE_NOT_A_FILE", u"the path names a folder or a device, not a file") \
    X(WriteDiskFull, u"IDS_WRITE_DISK_FULL", \
      u"the disk is full (no space or no file entry left, or the quota is used up)") \
    X(WriteNotPermitted, u"IDS_WRITE_NOT_PERMITTED", \
      u"you may not write the file (its owner or its permissions forbid it)") \
    X(WriteDamaged, u"IDS_WRITE_DAMAGED", \
      u"rewriting the file in place failed and its old content could not be put back, so the " \
      u"file is damaged") \
    X(WriteOldFileIntact, u"IDS_WRITE_OLD_FILE_INTACT", u"%1; the old file is intact") \
    X(ReadCannotOpen, u"IDS_READ_CANNOT_OPEN", u"the file is missing or unreadable") \
    X(ReadNotAFile, u"IDS_READ_NOT_A_FILE", \
      u"the path names a folder, a device or a pipe, not a file") \
    X(ReadTooLarge, u"IDS_READ_TOO_LARGE", u"the file is too large") \
    X(ReadFailed, u"IDS_READ_FAILED", u"reading the file failed (an I/O error)") \
    X(ReadOutOfMemory, u"IDS_READ_OUT_OF_MEMORY", u"there is not enough memory to read the file") \
    X(IniTooLarge, u"IDS_INI_TOO_LARGE", \
      u"the file is larger than %1 MiB, which no configuration or language file is; it was not " \
      u"read") \
    X(IniOutOfMemory, u"IDS_INI_OUT_OF_MEMORY", u"there is not enough memory for the file's text") \
    X(IniPlaceValue, u"IDS_INI_PLACE_VALUE", u"the value of %1 in [%2]") \
    X(IniPlaceKey, u"IDS_INI_PLACE_KEY", u"the key %1 in [%2]") \
    X(IniPlaceSection, u"IDS_INI_PLACE_SECTION", u"the section name [%1]") \
    X(IniLineBreak, u"IDS_INI_LINE_BREAK", \
      u"%1 holds a line break, which would split its line; nothing was written") \
    X(IniNotEncodable, u"IDS_INI_NOT_ENCODABLE", \
      u"%1 holds a character that code page 936 cannot hold; nothing was written") \
    X(IniBadKey, u"IDS_INI_BAD_KEY", \
      u"%1 would not read back as the same key; nothing was written") \
    X(IniNoFile, u"IDS_INI_NO_FILE", u"no file was loaded, so there is none to write") \
    X(IniKeptUnread, u"IDS_INI_KEPT_UNREAD", \
      u"the file exists but could not be read, so it is not written over") \
    X(PullCannotMoveAside, u"IDS_PULL_CANNOT_MOVE_ASIDE", \
      u"The earlier \"%1\" could not be moved aside to \"%2\" before the pull; nothing was " \
      u"fetched.") \
    X(BusySending, u"IDS_BUSY_SENDING", u"Sending the parameter file to the device over adb…") \
    X(BusyVerifying, u"IDS_BUSY_VERIFYING", \
      u"Reading the parameter file back from the device to check it…") \
    X(BusyListing, u"IDS_BUSY_LISTING", u"Looking for the attached devices…") \
    X(AdbNotFound, u"IDS_ADB_NOT_FOUND", \
      u"adb was not found (looked in the program folder and on PATH)") \
    X(AdbNotStarted, u"IDS_ADB_NOT_STARTED", u"adb was found but could not be started") \
    X(AdbNoAnswer, u"IDS_ADB_NO_ANSWER", u"no answer within %1 s") \
    X(AdbExitCode, u"IDS_ADB_EXIT_CODE", u"adb ended with exit code %1") \
    X(AdbNoFile, u"IDS_ADB_NO_FILE", u"adb reported success but left no readable file") \
    X(DeviceNotAttached, u"IDS_DEVICE_NOT_ATTACHED", \
      u"The chosen device %1 is not attached. Attach it, or choose another one in the Device " \
      u"menu.") \
    X(DeviceNotReady, u"IDS_DEVICE_NOT_READY", \
      u"The chosen device %1 is %2 and takes no commands now (an unauthorised device asks on " \
      u"its screen to allow USB debugging).") \
    X(DeviceChoose, u"IDS_DEVICE_CHOOSE", u"Several devices are attached. Choose the one to use:") \
    X(DeviceRemember, u"IDS_DEVICE_REMEMBER", u"Use this device from now on") \
    X(DeviceMenuLooking, u"IDS_DEVICE_MENU_LOOKING", u"Looking for devices…") \
    X(DeviceMenuNone, u"IDS_DEVICE_MENU_NONE", u"No device attached") \
    X(DeviceMenuFailed, u"IDS_DEVICE_MENU_FAILED", u"Devices cannot be listed: %1") \
    X(DeviceMenuNotAttached, u"IDS_DEVICE_MENU_NOT_ATTACHED", u"%1 — not attached") \
    X(VerifyMismatch, u"IDS_VERIFY_MISMATCH", \
      u"The device holds another file than the one sent; %1 differences:") \
    X(VerifyCannotRun, u"IDS_VERIFY_CANNOT_RUN", \
      u"The parameter file was sent, but reading it back to check it failed, so it is not known " \
      u"whether the device holds it.") \
    X(VerifyMore, u"IDS_VERIFY_MORE", u"… and %1 more") \
    X(DiffTenBandCoefficients, u"IDS_DIFF_TEN_BAND_COEFFICIENTS", \
      u"ten-band coefficients of band %1") \
    X(DiffEightBandCoefficients, u"IDS_DIFF_EIGHT_BAND_COEFFICIENTS", \
      u"eight-band coefficients of band %1") \
    X(DiffFileLength, u"IDS_DIFF_FILE_LENGTH", u"file length") \
    X(DiffBlockFile, u"IDS_DIFF_BLOCK_FILE", u"file") \
    X(DiffBlockEditor, u"IDS_DIFF_BLOCK_EDITOR", u"editor state") \
    X(DiffBlockSettings, u"IDS_DIFF_BLOCK_SETTINGS", u"settings") \
    X(DiffBand, u"IDS_DIFF_BAND", u"band %1") \
    X(DiffSentRead, u"IDS_DIFF_SENT_READ", u"%1: sent %2, read %3") \
    X(CompareTitle, u"IDS_COMPARE_TITLE", u"Compare with %1") \
    X(CompareDevice, u"IDS_COMPARE_DEVICE", u"the device %1") \
    X(CompareField, u"IDS_COMPARE_FIELD", u"Field") \
    X(CompareChannel, u"IDS_COMPARE_CHANNEL", u"Channel") \
    X(CompareBlock, u"IDS_COMPARE_BLOCK", u"Block") \
    X(CompareBand, u"IDS_COMPARE_BAND", u"Band") \
    X(CompareEditor, u"IDS_COMPARE_EDITOR", u"Editor") \
    X(CompareOther, u"IDS_COMPARE_OTHER", u"Other") \
    X(CompareIdentical, u"IDS_COMPARE_IDENTICAL", u"identical") \
    X(CompareDifferences, u"IDS_COMPARE_DIFFERENCES", u"%1 differences") \
    X(CompareCannotRead, u"IDS_COMPARE_CANNOT_READ", u"The file \"%1\" cannot be compared: %2.") \
    X(CompareNeitherKind, u"IDS_COMPARE_NEITHER_KIND", \
      u"it is neither a parameter file nor a configuration file") \
    X(CompareDeviceFailed, u"IDS_COMPARE_DEVICE_FAILED", \
      u"The parameter file of the device could not be read.") \
    X(CompareNoCoefficients, u"IDS_COMPARE_NO_COEFFICIENTS", \
      u"The filter design library %1 is not loaded, so the coefficients are not compared.") \
    X(CollectBackup, u"IDS_COLLECT_BACKUP", \
      u"Collect mode: the language file \"%1\" is kept as \"%2\" before it is written over.") \
    X(CollectBackupFailed, u"IDS_COLLECT_BACKUP_FAILED", \
      u"Collect mode: the language file \"%1\" could not be copied to \"%2\", so it is not " \
      u"written over; the collected texts stay in memory.") \
    X(UndoStep, u"IDS_UNDO_STEP", u"Undo %1") \
    X(RedoStep, u"IDS_REDO_STEP", u"Redo %1") \
    X(DiscardUnsaved, u"IDS_DISCARD_UNSAVED", u"Discard unsaved changes?") \
    X(StepBand, u"IDS_STEP_BAND", u"%1 band %2 %3") \
    X(StepHandle, u"IDS_STEP_HANDLE", u"%1 band %2") \
    X(StepField, u"IDS_STEP_FIELD", u"%1 %2") \
    X(StepTenBand, u"IDS_STEP_TEN_BAND", u"ten-band") \
    X(StepEightBand, u"IDS_STEP_EIGHT_BAND", u"eight-band") \
    X(StepGain, u"IDS_STEP_GAIN", u"gain") \
    X(StepFrequency, u"IDS_STEP_FREQUENCY", u"frequency") \
    X(StepQ, u"IDS_STEP_Q", u"Q") \
    X(StepLowBand, u"IDS_STEP_LOW_BAND", u"low band") \
    X(StepHighBand, u"IDS_STEP_HIGH_BAND", u"high band") \
    X(StepDivisionFrequency, u"IDS_STEP_DIVISION_FREQUENCY", u"division frequency") \
    X(StepMakeupGain, u"IDS_STEP_MAKEUP_GAIN", u"makeup gain") \
    X(StepThresholdL, u"IDS_STEP_THRESHOLD_L", u"threshold L") \
    X(StepThresholdH, u"IDS_STEP_THRESHOLD_H", u"threshold H") \
    X(StepStaticTime, u"IDS_STEP_STATIC_TIME", u"static time") \
    X(StepRatioLNumerator, u"IDS_STEP_RATIO_L_NUMERATOR", u"ratio L numerator") \
    X(StepRatioLDenominator, u"IDS_STEP_RATIO_L_DENOMINATOR", u"ratio L denominator") \
    X(StepRatioHNumerator, u"IDS_STEP_RATIO_H_NUMERATOR", u"ratio H numerator") \
    X(StepRatioHDenominator, u"IDS_STEP_RATIO_H_DENOMINATOR", u"ratio H denominator") \
    X(StepReleaseTime, u"IDS_STEP_RELEASE_TIME", u"release time") \
    X(StepSmoothTime, u"IDS_STEP_SMOOTH_TIME", u"smooth time") \
    X(StepAttackTime, u"IDS_STEP_ATTACK_TIME", u"attack time") \
    X(StepThreshold, u"IDS_STEP_THRESHOLD", u"threshold") \
    X(StepSampleRate, u"IDS_STEP_SAMPLE_RATE", u"sample rate") \
    X(StepChannelCount, u"IDS_STEP_CHANNEL_COUNT", u"channel count") \
    X(StepChannel, u"IDS_STEP_CHANNEL", u"%1 channel") \
    X(StepLink, u"IDS_STEP_LINK", u"Link") \
    X(StepPageLink, u"IDS_STEP_PAGE_LINK", u"%1 Link") \
    X(StepMode, u"IDS_STEP_MODE", u"%1 mode") \
    X(StepReset, u"IDS_STEP_RESET", u"Reset") \
    X(StepLoad, u"IDS_STEP_LOAD", u"Load") \
    X(StepRead, u"IDS_STEP_READ", u"Read") \
    X(StepCancel, u"IDS_STEP_CANCEL", u"Cancel") \
    X(StepRecallA, u"IDS_STEP_RECALL_A", u"Recall A") \
    X(StepRecallB, u"IDS_STEP_RECALL_B", u"Recall B") \
    X(StepFit, u"IDS_STEP_FIT", u"fit") \
    X(StepEqImport, u"IDS_STEP_EQ_IMPORT", u"EQ import") \
    X(LegendChain, u"IDS_LEGEND_CHAIN", u"whole chain %1") \
    X(LegendChainNote, u"IDS_LEGEND_CHAIN_NOTE", \
      u"whole chain: small signal, DRC and limiter not included") \
    X(LegendDevice, u"IDS_LEGEND_DEVICE", u"%1 on the device") \
    X(LegendBands, u"IDS_LEGEND_BANDS", u"bands %1 (drag to edit)") \
    X(ChainPeak, u"IDS_CHAIN_PEAK", u"peak %1 dB at %2") \
    X(DeviceDeparts, u"IDS_DEVICE_DEPARTS", \
      u"Device response: band %1 (%2) departs from the design by up to %3 dB, more than 0.1 dB.") \
    X(BandTooltip, u"IDS_BAND_TOOLTIP", u"band %1 (%2): %3 Hz, %4 dB, Q %5") \
    X(ShelfTooltip, u"IDS_SHELF_TOOLTIP", u"band %1 (%2): %3 Hz, %4 dB") \
    X(LegendMeasurement, u"IDS_LEGEND_MEASUREMENT", u"measurement %1 (shifted %2 dB)") \
    X(LegendPredicted, u"IDS_LEGEND_PREDICTED", u"predicted %1 (measurement + whole chain)") \
    X(LegendTarget, u"IDS_LEGEND_TARGET", u"target: %1") \
    X(ErrorReadout, u"IDS_ERROR_READOUT", u"error %1 dB RMS from %2 to %3") \
    X(TargetFlat, u"IDS_TARGET_FLAT", u"flat") \
    X(TargetTilt, u"IDS_TARGET_TILT", u"tilt %1 dB/octave") \
    X(TargetFile, u"IDS_TARGET_FILE", u"file") \
    X(TargetTiltItem, u"IDS_TARGET_TILT_ITEM", u"tilt") \
    X(FitButton, u"IDS_FIT_BUTTON", u"Fit to target") \
    X(FitBothButton, u"IDS_FIT_BOTH_BUTTON", u"Fit both equalisers") \
    X(MeasureImportButton, u"IDS_MEASURE_IMPORT_BUTTON", u"Import measurement…") \
    X(MeasureTargetLabel, u"IDS_MEASURE_TARGET_LABEL", u"Target") \
    X(MeasureTiltUnit, u"IDS_MEASURE_TILT_UNIT", u" dB/oct") \
    X(MeasureTargetFileButton, u"IDS_MEASURE_TARGET_FILE_BUTTON", u"Target file…") \
    X(MeasureRangeLabel, u"IDS_MEASURE_RANGE_LABEL", u"Fit range (Hz)") \
    X(MeasureNone, u"IDS_MEASURE_NONE", u"Channel %1: no measurement") \
    X(MeasureShown, u"IDS_MEASURE_SHOWN", u"Channel %1: %2 (%3 points)") \
    X(MeasureGone, u"IDS_MEASURE_GONE", \
      u"Channel %1: the measurement \"%2\" is no longer there") \
    X(MeasureNotRead, u"IDS_MEASURE_NOT_READ", u"Channel %1: %2") \
    X(MeasureRefused, u"IDS_MEASURE_REFUSED", u"The measurement was not imported: %1.") \
    X(TargetRefused, u"IDS_TARGET_REFUSED", u"The target file was not taken: %1.") \
    X(TargetUnread, u"IDS_TARGET_UNREAD", u"no target: %1") \
    X(MeasureAskChannel, u"IDS_MEASURE_ASK_CHANNEL", u"Import the measurement for which channel?") \
    X(MeasureBadRange, u"IDS_MEASURE_BAD_RANGE", \
      u"The fit range needs a low and a high frequency with 0 < low < high; it stays %1 to %2.") \
    X(FitCancelButton, u"IDS_FIT_CANCEL_BUTTON", u"Cancel") \
    X(FitBusy, u"IDS_FIT_BUSY", u"Fitting %1 of channel %2 to the target…") \
    X(FitBothNames, u"IDS_FIT_BOTH_NAMES", u"10EQ and 8EQ") \
    X(FitNoMeasurement, u"IDS_FIT_NO_MEASUREMENT", \
      u"Channel %1 has no measurement: import one first (File > Import measurement…).") \
    X(FitNoTarget, u"IDS_FIT_NO_TARGET", \
      u"The target file \"%1\" could not be read, so there is no target to fit to.") \
    X(FitTooFewPoints, u"IDS_FIT_TOO_FEW_POINTS", \
      u"Fewer than two measured points of channel %1 lie within the fit range %2 to %3 Hz, " \
      u"below half the sample rate and within the target.") \
    X(FitLibraryMissing, u"IDS_FIT_LIBRARY_MISSING", \
      u"The filter design library is not loaded, so nothing can be fitted.") \
    X(FitBadRate, u"IDS_FIT_BAD_RATE", u"The sample rate %1 Hz leaves the bands no frequency.") \
    X(FitDone, u"IDS_FIT_DONE", u"last fit: %1 dB RMS before, %2 dB RMS after") \
    X(FitCancelled, u"IDS_FIT_CANCELLED", u"fit cancelled, the boxes are unchanged") \
    X(EqfileCannotRead, u"IDS_EQFILE_CANNOT_READ", u"cannot read \"%1\"") \
    X(EqfileTooLarge, u"IDS_EQFILE_TOO_LARGE", u"\"%1\" is larger than 1 MB") \
    X(EqfileNoFilters, u"IDS_EQFILE_NO_FILTERS", u"\"%1\" holds no Preamp or Filter line") \
    X(EqfileUnknownType, u"IDS_EQFILE_UNKNOWN_TYPE", u"\"%1\", line %2: the filter type \"%3\" is not one the device has (PK, LS, LSC, HS, HSC)") \
    X(EqfileUnknownField, u"IDS_EQFILE_UNKNOWN_FIELD", u"\"%1\", line %2: \"%3\" is not a field of a filter (Fc, Gain, Q, BW)") \
    X(EqfileMissingValue, u"IDS_EQFILE_MISSING_VALUE", u"\"%1\", line %2: no value for %3") \
    X(EqfileNotANumber, u"IDS_EQFILE_NOT_A_NUMBER", u"\"%1\", line %2: \"%3\" is not a number") \
    X(EqfileOutOfRange, u"IDS_EQFILE_OUT_OF_RANGE", u"\"%1\", line %2: %3 must be above 0") \
    X(EqfileUnsupportedLine, u"IDS_EQFILE_UNSUPPORTED_LINE", u"\"%1\", line %2: \"%3\" lines are not read; only Preamp and Filter lines are") \
    X(EqimportGain, u"IDS_EQIMPORT_GAIN", u"filter %1: gain %2 dB → %3 dB") \
    X(EqimportFrequency, u"IDS_EQIMPORT_FREQUENCY", u"filter %1: frequency %2 Hz → %3 Hz") \
    X(EqimportQ, u"IDS_EQIMPORT_Q", u"filter %1: Q %2 → %3") \
    X(EqimportBandwidth, u"IDS_EQIMPORT_BANDWIDTH", u"filter %1: bandwidth %2 octaves → Q %3") \
    X(EqimportShelfQ, u"IDS_EQIMPORT_SHELF_Q", u"filter %1: Q %2 not kept: the device's shelves have the slope of Q %3") \
    X(EqimportShelfSlope, u"IDS_EQIMPORT_SHELF_SLOPE", u"filter %1: the %2 dB/octave shelf becomes the device's 12 dB/octave shelf") \
    X(EqimportNoBand, u"IDS_EQIMPORT_NO_BAND", u"filter %1 dropped: no band left") \
    X(EqimportLowShelfTaken, u"IDS_EQIMPORT_LOW_SHELF_TAKEN", u"filter %1 dropped: filter %2 is the low shelf already") \
    X(EqimportHighShelfTaken, u"IDS_EQIMPORT_HIGH_SHELF_TAKEN", u"filter %1 dropped: filter %2 is the high shelf already") \
    X(EqimportPreamp, u"IDS_EQIMPORT_PREAMP", u"preamp %1 dB → Gain2 %2 dB") \
    X(EqExported, u"IDS_EQ_EXPORTED", u"The EQ file \"%1\" was written.") \
    X(EqExportFailed, u"IDS_EQ_EXPORT_FAILED", u"The EQ file \"%1\" could not be written: %2.") \
    X(EqNotImported, u"IDS_EQ_NOT_IMPORTED", u"The EQ file was not imported: %1.") \
    X(EqImported, u"IDS_EQ_IMPORTED", u"The EQ file \"%1\" is in the boxes of %2, channel %3; it is stored with the next Save or Set, like typed values.") \
    X(EqImportExact, u"IDS_EQ_IMPORT_EXACT", u"Every value was taken as it is.") \
    X(EqImportChanges, u"IDS_EQ_IMPORT_CHANGES", u"Changes:") \
    X(EqPreampNote, u"IDS_EQ_PREAMP_NOTE", u"The Preamp became Gain2 of channel %1: %2 dB.") \
    X(EqAskEqualiser, u"IDS_EQ_ASK_EQUALISER", u"Which equaliser?") \
    X(MeasureCannotRead, u"IDS_MEASURE_CANNOT_READ", u"cannot read \"%1\"") \
    X(MeasureTooLarge, u"IDS_MEASURE_TOO_LARGE", u"\"%1\" is larger than 64 MB") \
    X(MeasureNoData, u"IDS_MEASURE_NO_DATA", u"\"%1\" holds no data lines") \
    X(MeasureNotANumber, u"IDS_MEASURE_NOT_A_NUMBER", u"\"%1\", line %2: \"%3\" is not a number") \
    X(MeasureMissingValue, u"IDS_MEASURE_MISSING_VALUE", \
      u"\"%1\", line %2: the line holds no frequency and level") \
    X(MeasureNotPositive, u"IDS_MEASURE_NOT_POSITIVE", \
      u"\"%1\", line %2: the frequency %3 Hz is not positive") \
    X(MeasureNotIncreasing, u"IDS_MEASURE_NOT_INCREASING", \
      u"\"%1\", line %2: the frequency %3 Hz is not above the one before") \
    X(MeasureTooManyPoints, u"IDS_MEASURE_TOO_MANY_POINTS", \
      u"\"%1\", line %2: more than 1000000 points") \
    X(MeasureNoColumns, u"IDS_MEASURE_NO_COLUMNS", \
      u"\"%1\", line %2: the header names no frequency column and level column")
// clang-format on

enum class TextId {
#define SONVEX_TEXT_ID(id, key, english) id,
    SONVEX_TEXTS(SONVEX_TEXT_ID)
#undef SONVEX_TEXT_ID
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
    // Keeps a reference to the source of the translations (the language object), which must
    // outlive the catalog.
    explicit TextCatalog(TextSource& source) : source_(&source) {}

    std::u16string Text(TextId id) const;
    // Text with %1, %2, ... replaced by the arguments in one pass: an argument is inserted as
    // it is, even when it holds a % sign itself.
    std::u16string Format(TextId id, std::initializer_list<std::u16string_view> args) const;

    // A message of the core that carries its own template (UTF-8, %1 to %9) and the key of its
    // translation: the catalog's text of that key when it has a row for it (translated as
    // Text is), otherwise the template as it is; the arguments are UTF-8 too.
    std::u16string FormatKey(std::string_view key, std::string_view pattern,
                             std::span<const std::string> args) const;

    static std::span<const TextEntry> Entries();
    static const TextEntry& Entry(TextId id);
    static std::u16string Substitute(std::u16string_view pattern,
                                     std::initializer_list<std::u16string_view> args);
    static std::u16string SubstituteAll(std::u16string_view pattern,
                                        std::span<const std::u16string> args);
    // The placeholders a text carries, as a bit set (bit n for %n).
    static unsigned Placeholders(std::u16string_view text);

private:
    TextSource* source_ = nullptr;
};
