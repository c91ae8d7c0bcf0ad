#include "cli/DiffCommand.h"

#include "base/TextCodec.h"
#include "cli/CliArguments.h"
#include "cli/DifferenceJson.h"
#include "params/ToolLibrary.h"
#include "settings/ComparisonSource.h"

int DiffCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    if (args.size() != 2) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    std::vector<ComparisonSource> sides;
    for (const std::string& word : args) {
        const std::u16string path = CliArguments::Path(word);
        sides.push_back(ComparisonSource::Load(path));
        if (!sides.back().Ok()) {
            io.err << "sonvex-cli: "
                   << TextCodec::ToUtf8(ComparisonSource::Message(sides.back(), path)) << "\n";
            return kExitUsage;
        }
    }
    ToolLibrary tool;
    if (sides[0].kind != sides[1].kind) {
        tool.Load(io.programDirectory); // the configuration becomes the file push would write
    }
    const SourceComparison::Result result = SourceComparison::Compare(sides[0], sides[1], tool);
    if (!result.coefficients) {
        io.err << "sonvex-cli: the coefficients are not compared: " << ToolLibrary::FileName()
               << " is not loaded or refused the configuration's values\n";
    }
    JsonWriter json(io.out);
    json.BeginObject();
    json.Key("identical").Bool(result.differences.empty());
    json.Key("differences");
    WriteDifferences(json, result.differences);
    json.EndObject();
    json.Finish();
    return result.differences.empty() ? kExitOk : kExitFailure;
}
