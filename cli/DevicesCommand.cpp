#include "cli/DevicesCommand.h"

#include "base/TextCodec.h"
#include "cli/CliArguments.h"
#include "cli/JsonWriter.h"
#include "device/AdbDeviceList.h"
#include "device/AdbFailure.h"

int DevicesCommand::Run(const std::vector<std::string>& args, CliIo& io) const {
    int timeoutMs = DeviceTransfer::kDefaultTimeoutMs;
    if (!args.empty() && !(args.size() == 2 && args[0] == "--timeout" &&
                           CliArguments::PositiveInt(args[1], timeoutMs))) {
        io.err << "usage: sonvex-cli " << Synopsis() << "\n";
        return kExitUsage;
    }
    const AdbDeviceListing listing = AdbDeviceList::Query(io.programDirectory, timeoutMs);
    if (!listing.Ok()) {
        io.err << "sonvex-cli: the devices cannot be listed: "
               << TextCodec::ToUtf8(AdbFailure::Detail(listing.run, timeoutMs)) << "\n";
        return listing.run.started ? kExitFailure : kExitAdbNotStarted;
    }
    JsonWriter json(io.out);
    json.BeginObject().Key("devices").BeginArray();
    for (const AdbDevice& device : listing.devices) {
        json.BeginObject();
        json.Key("serial").String(device.serial);
        json.Key("state").String(device.state);
        json.Key("model").String(device.model);
        json.EndObject();
    }
    json.EndArray().EndObject();
    json.Finish();
    return kExitOk;
}
