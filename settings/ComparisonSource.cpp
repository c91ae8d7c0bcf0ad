#include "settings/ComparisonSource.h"

#include "base/NativePath.h"
#include "params/ToolLibrary.h"
#include "settings/ConfigurationDiff.h"
#include "settings/IniFileResult.h"

namespace {

bool HoldsZeroByte(const std::string& bytes) {
    return bytes.find('\0') != std::string::npos;
}

SourceComparison::Result CompareFiles(const DesignedFile& a, std::uint64_t lengthA,
                                      const DesignedFile& b, std::uint64_t lengthB) {
    SourceComparison::Result result;
    result.coefficients = a.coefficients && b.coefficients;
    result.differences =
        ParameterDiff::Compare(a.values, lengthA, b.values, lengthB, result.coefficients);
    return result;
}

} // namespace

ComparisonSource ComparisonSource::Load(const std::u16string& path) {
    ComparisonSource source;
    std::string bytes;
    source.readError =
        SafeFile::ReadUpTo(NativePath::Narrow(path), bytes, kIniFileMaxBytes, &source.length);
    if (source.readError != SafeReadResult::Ok) {
        source.status = Status::CannotRead;
        return source;
    }
    if (source.length > kIniFileMaxBytes) {
        source.readError = SafeReadResult::TooLarge;
        source.status = Status::CannotRead;
        return source;
    }
    if (!HoldsZeroByte(bytes)) {
        auto config = std::make_unique<CIniSettingBase>();
        if (config->Load(path) && config->Document() != nullptr &&
            !config->Document()->AllSections().empty()) {
            source.kind = Kind::Configuration;
            source.config = std::move(config);
            return source;
        }
        if (source.length != kParameterFileBytes) {
            source.status = Status::NeitherKind;
            return source;
        }
    }
    source.kind = Kind::ParameterFile;
    source.bytes = std::move(bytes);
    return source;
}

std::u16string ComparisonSource::Message(const ComparisonSource& source, const std::u16string& path,
                                         const TextCatalog& texts) {
    const std::u16string reason = source.status == Status::NeitherKind
                                      ? texts.Text(TextId::CompareNeitherKind)
                                      : SafeFile::Describe(source.readError, texts);
    return texts.Format(TextId::CompareCannotRead, {path, reason});
}

DesignedFile SourceComparison::Design(const ParameterSet& set, const ToolLibrary& tool) {
    DesignedFile file;
    if (!tool.Loaded()) {
        file.design = ParameterFileResult{ParameterFileStatus::ToolNotLoaded};
    } else {
        file.design = ParameterFile::BuildArray(set, tool.Eq10(), tool.Eq8(), file.values);
    }
    file.coefficients = file.design.Ok();
    if (!file.coefficients) {
        file.values = ParameterFile::FieldsToArray(set);
    }
    return file;
}

DesignedFile SourceComparison::AsFile(const ComparisonSource& source, const ToolLibrary& tool,
                                      std::uint64_t& length) {
    if (source.kind == ComparisonSource::Kind::Configuration) {
        length = kParameterFileBytes;
        return Design(source.config->Params, tool);
    }
    DesignedFile file;
    file.values = ParameterFile::Decode(source.bytes);
    file.coefficients = true;
    length = source.length;
    return file;
}

SourceComparison::Result SourceComparison::Compare(const ComparisonSource& a,
                                                   const ComparisonSource& b,
                                                   const ToolLibrary& tool) {
    if (a.kind == ComparisonSource::Kind::Configuration &&
        b.kind == ComparisonSource::Kind::Configuration) {
        return Result{ConfigurationDiff::Compare(*a.config, *b.config), true};
    }
    std::uint64_t lengthA = 0;
    std::uint64_t lengthB = 0;
    const DesignedFile fileA = AsFile(a, tool, lengthA);
    const DesignedFile fileB = AsFile(b, tool, lengthB);
    return CompareFiles(fileA, lengthA, fileB, lengthB);
}

SourceComparison::Result SourceComparison::Compare(const ParameterSet& editor,
                                                   const ComparisonSource& other,
                                                   const ToolLibrary& tool) {
    std::uint64_t length = 0;
    const DesignedFile otherFile = AsFile(other, tool, length);
    return CompareFiles(Design(editor, tool), kParameterFileBytes, otherFile, length);
}
