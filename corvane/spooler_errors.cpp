#include "corvane/spooler_errors.h"

#include "install/corvane_api.h"

namespace corvane {
namespace {

// Every way the spooler service can be out of reach reads as "server unavailable".
constexpr DWORD kSpoolerUnreachable[] = {
    RPC_S_INVALID_BINDING,     // 1702
    RPC_S_SERVER_UNAVAILABLE,  // 1722
    RPC_S_SERVER_TOO_BUSY,     // 1723
    RPC_S_CALL_FAILED,         // 1726
    RPC_S_CALL_FAILED_DNE,     // 1727
    EPT_S_NOT_REGISTERED,      // 1753
};

bool IsUnreachable(DWORD error)
{
    for (DWORD code : kSpoolerUnreachable) {
        if (code == error)
            return true;
    }
    return false;
}

}  // namespace

DWORD MapSpoolerError(DWORD error)
{
    if (error == ERROR_SUCCESS)
        return ERROR_GEN_FAILURE;
    if (error == ERROR_PRINTER_ALREADY_EXISTS)
        return CORVANE_ALREADY_INSTALLED;
    if (IsUnreachable(error))
        return RPC_S_SERVER_UNAVAILABLE;
    return error;
}

}  // namespace corvane
