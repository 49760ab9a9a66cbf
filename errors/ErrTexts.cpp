#include "errors/ErrTexts.h"

#include "errors/ErrIds.h"

namespace {

struct TTextRow {
    unsigned Id;
    const char* Text;
};

constexpr TTextRow BuiltInTexts[] = {
    {IDS_OUT_OF_MEMORY, "Out of memory"},
    {IDS_INVALID_POINTER, "Invalid pointer operation"},
    {IDS_DIV_BY_ZERO, "Division by zero"},
    {IDS_RANGE_ERROR, "Range check error"},
    {IDS_INT_OVERFLOW, "Integer overflow"},
    {IDS_INVALID_OP, "Invalid floating point operation"},
    {IDS_OVERFLOW, "Floating point overflow"},
    {IDS_UNDERFLOW, "Floating point underflow"},
    {IDS_INVALID_CAST, "Invalid class typecast"},
    {IDS_ACCESS_VIOLATION, "Access violation at address %p. %s of address %p"},
    {IDS_PRIVILEGE, "Privileged instruction"},
    {IDS_CONTROL_C, "^C"},
    {IDS_STACK_OVERFLOW, "Stack overflow"},
    {IDS_VARIANT_ERROR, "EVariant"},
    {IDS_ASSERTION_FAILED, "Assertion failed"},
    {IDS_EXTERNAL_EXCEPTION, "External exception %x"},
    {IDS_INTF_CAST_ERROR, "Interface not supported"},
    {IDS_SAFECALL_ERROR, "Exception in safecall method"},
    {IDS_FILE_NOT_FOUND, "File not found"},
    {IDS_INVALID_FILENAME, "Invalid filename"},
    {IDS_TOO_MANY_OPEN_FILES, "Too many open files"},
    {IDS_ACCESS_DENIED, "File access denied"},
    {IDS_END_OF_FILE, "End of file"},
    {IDS_DISK_FULL, "Disk full"},
    {IDS_IN_OUT_ERROR, "I/O error %d"},
    {IDS_READ, "Read"},
    {IDS_WRITE, "Write"},
    {IDS_MODULE_ACCESS_VIOLATION,
     "Access violation at address %p in module '%s'. %s of address %p"},
    {IDS_ASSERT_ERROR, "%s (%s, line %d)"},
    {IDS_EXCEPTION_TEMPLATE, "Exception %s in module %s at %p.\n%s%s"},
};

} // namespace

const char* BuiltInErrorText(unsigned id) {
    for (const TTextRow& row : BuiltInTexts)
        if (row.Id == id)
            return row.Text;
    return nullptr;
}
