// libFuzzer target over the INI reader, the addressed lookups, the list readers and the code page
// conversion. Built only with clang (SONVEX_FUZZ); scripts/test runs it for 30 seconds.

#include "settings/CIniSettingBase.h"
#include "settings/IniDocument.h"
#include "settings/IniLists.h"
#include "settings/TextCodec.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace {

// The configuration read from an in-memory file, so every key of the parameter set is parsed.
void LoadConfiguration(std::string_view bytes) {
    const int fd = memfd_create("fuzz-ini", MFD_CLOEXEC);
    if (fd < 0) {
        return;
    }
    if (write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size())) {
        const std::string path = "/proc/self/fd/" + std::to_string(fd);
        CIniSettingBase config;
        if (config.Load(std::u16string(path.begin(), path.end()))) {
            config.GetValue(u"Language:Lang1File");
            config.GetValue(u"Nowhere:Key");
            config.GetValue(u"Debug");
        }
    }
    close(fd);
}

// Addressed lookups with keys taken from the input itself.
class FuzzStore : public CSettingBase {
public:
    explicit FuzzStore(std::u16string_view text) {
        document_ = std::make_unique<IniDocument>();
        document_->Parse(text);
    }
    bool Load(const std::u16string&) override { return false; }
    bool Save(const std::u16string&) override { return false; }
};

void Lookups(std::u16string_view text) {
    FuzzStore store(text);
    std::size_t start = 0;
    for (int n = 0; n < 16 && start < text.size(); ++n) {
        std::size_t end = text.find(u'\n', start);
        if (end == std::u16string_view::npos) {
            end = text.size();
        }
        const std::u16string line(text.substr(start, end - start));
        store.GetValue(line);
        store.SetValue(line, line);
        std::array<int32_t, 10> ints{};
        std::array<float, 8> floats{};
        ParseIntList(line, ints);
        ParseFloatList(line, floats);
        start = end + 1;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::u16string text = TextCodec::FromCp936(bytes);
    // Whatever the bytes, reading and writing them back gives the same bytes.
    if (TextCodec::ToCp936(text) != bytes) {
        std::abort();
    }
    IniDocument document;
    document.Parse(text);
    TextCodec::ToCp936(document.Format());
    Lookups(text);
    LoadConfiguration(bytes);
    return 0;
}
