#include "params/ToolLibrary.h"

#include "base/NativePath.h"
#include "base/NumberText.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

#if defined(_WIN32)
void* OpenLibrary(const std::u16string& path) {
    return reinterpret_cast<void*>(LoadLibraryW(reinterpret_cast<const wchar_t*>(path.c_str())));
}
void* Symbol(void* handle, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(handle), name));
}
void CloseLibrary(void* handle) {
    FreeLibrary(static_cast<HMODULE>(handle));
}
#else
void* OpenLibrary(const std::u16string& path) {
    return dlopen(NativePath::Narrow(path).c_str(), RTLD_NOW | RTLD_LOCAL);
}
void* Symbol(void* handle, const char* name) {
    return dlsym(handle, name);
}
void CloseLibrary(void* handle) {
    dlclose(handle);
}
#endif

} // namespace

ToolLibrary::~ToolLibrary() {
    if (handle_ != nullptr) {
        CloseLibrary(handle_);
    }
}

const char* ToolLibrary::FileName() {
#if defined(_WIN32)
    return "Tool.dll";
#else
    return "libTool.so";
#endif
}

std::u16string ToolLibrary::LoadFailureMessage() {
    return u"load " + NumberText::Widen(FileName()) + u" fail!";
}

ToolLoadResult ToolLibrary::Load(const std::u16string& programDirectory) {
    if (handle_ != nullptr) {
        CloseLibrary(handle_);
        handle_ = nullptr;
    }
    eq10_ = nullptr;
    eq8_ = nullptr;
    handle_ = OpenLibrary(programDirectory + NumberText::Widen(FileName()));
    if (handle_ == nullptr) {
        return ToolLoadResult::NotLoaded;
    }
    eq10_ = reinterpret_cast<EqProductFunction>(Symbol(handle_, "EQ10Product"));
    eq8_ = reinterpret_cast<EqProductFunction>(Symbol(handle_, "EQ8Product"));
    return eq10_ != nullptr && eq8_ != nullptr ? ToolLoadResult::Ok
                                               : ToolLoadResult::MissingFunction;
}
