// libFuzzer target over the INI reader, the addressed lookups, the list readers and the code page
// conversion, and the writer's promise: a document it agrees to write reads back as the same
// sections, keys and values. Built only with clang (SONVEX_FUZZ); scripts/test runs it.

#include "base/TextCodec.h"
#include "settings/CIniSettingBase.h"
#include "settings/IniDocument.h"
#include "settings/IniLists.h"

#include <array>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <unistd.h>

namespace {

bool SameDocument(const IniDocument& a, const IniDocument& b) {
    if (a.AllSections().size() != b.AllSections().size()) {
        return false;
    }
    auto other = b.AllSections().begin();
    for (const auto& [name, section] : a.AllSections()) {
        const IniSection& twin = *other->second;
        ++other;
        if (section->Name() != twin.Name() ||
            section->AllEntries().size() != twin.AllEntries().size()) {
            return false;
        }
        auto entry = twin.AllEntries().begin();
        for (const auto& [key, value] : section->AllEntries()) {
            if (value->Key() != entry->second->Key() || value->Value() != entry->second->Value()) {
                return false;
            }
            ++entry;
        }
    }
    return true;
}

// What the writer agrees to write must load back unchanged.
void ExpectSavedReadsBack(const IniDocument& document) {
    if (!document.CheckStorable().Ok()) {
        return;
    }
    IniDocument back;
    back.Parse(TextCodec::FromCp936(TextCodec::ToCp936(document.Format())));
    if (!SameDocument(document, back)) {
        std::abort();
    }
}

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
    const IniDocument& Get() const { return *document_; }
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
        store.SetValue(u"Fuzz:" + line, line.substr(line.size() / 2));
        std::array<int32_t, 10> ints{};
        std::array<float, 8> floats{};
        ParseIntList(line, ints);
        ParseFloatList(line, floats);
        start = end + 1;
    }
    // Names and values set from hostile text: refused, or written so that they read back.
    ExpectSavedReadsBack(store.Get());
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
    // A file without CR has nothing the writer refuses, and reads back after a save.
    if (text.find(u'\r') == std::u16string::npos && !document.CheckStorable().Ok()) {
        std::abort();
    }
    ExpectSavedReadsBack(document);
    Lookups(text);
    LoadConfiguration(bytes);
    return 0;
}
