#include "errors/ProcessorFault.h"

#include "errors/ErrIds.h"
#include "errors/ErrTexts.h"

std::string ModuleOfAddress(const void* address, const void*& base) {
    MEMORY_BASIC_INFORMATION info{};
    char path[MAX_PATH];
    if (VirtualQuery(address, &info, sizeof info) == 0 || info.State != MEM_COMMIT)
        return {};
    DWORD length = GetModuleFileNameA(static_cast<HMODULE>(info.AllocationBase), path, sizeof path);
    if (length == 0)
        return {};
    base = info.AllocationBase;
    return std::string(path, length);
}

namespace {

Exception AccessViolation(const EXCEPTION_RECORD& record) {
    std::string word = ErrorText(record.ExceptionInformation[0] != 0 ? IDS_WRITE : IDS_READ);
    const void* accessed = reinterpret_cast<const void*>(record.ExceptionInformation[1]);
    const void* faultAddress = record.ExceptionAddress;
    const void* base = nullptr;
    std::string module = ModuleOfAddress(faultAddress, base);
    if (!module.empty())
        return Exception(ecAccessViolation, ErrorText(IDS_MODULE_ACCESS_VIOLATION).c_str(),
                         {faultAddress, FileNamePart(module), word, accessed});
    return Exception(ecAccessViolation, ErrorText(IDS_ACCESS_VIOLATION).c_str(),
                     {faultAddress, word, accessed});
}

Exception External(const EXCEPTION_RECORD& record) {
    Exception e(ecExternal, ErrorText(IDS_EXTERNAL_EXCEPTION).c_str(),
                {static_cast<std::uint32_t>(record.ExceptionCode)});
    e.ExceptionRecord = const_cast<EXCEPTION_RECORD*>(&record);
    return e;
}

} // namespace

Exception ProcessorException(const EXCEPTION_RECORD& record) {
    int n = RunErrorOfExceptionCode(static_cast<std::uint32_t>(record.ExceptionCode));
    Exception e = n == 11   ? AccessViolation(record)
                  : n == 22 ? External(record)
                            : RunErrorException(n);
    e.RaiseAddress = record.ExceptionAddress;
    return e;
}
