#include <gtest/gtest.h>

#include "corvane/spooler_errors.h"
#include "install/corvane_api.h"

namespace {

TEST(LibrarySpoolerErrors, FailuresMapToTheLibraryResults)
{
    struct Case {
        DWORD error;
        DWORD result;
    };
    const Case cases[] = {
        {ERROR_SUCCESS, ERROR_GEN_FAILURE},   // a failure is never reported as success
        {ERROR_PRINTER_ALREADY_EXISTS, CORVANE_ALREADY_INSTALLED},
        {ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED},
        {RPC_S_SERVER_UNAVAILABLE, RPC_S_SERVER_UNAVAILABLE},
        {RPC_S_CALL_FAILED, RPC_S_SERVER_UNAVAILABLE},
        {RPC_S_CALL_FAILED_DNE, RPC_S_SERVER_UNAVAILABLE},
        {RPC_S_SERVER_TOO_BUSY, RPC_S_SERVER_UNAVAILABLE},
        {RPC_S_INVALID_BINDING, RPC_S_SERVER_UNAVAILABLE},
        {EPT_S_NOT_REGISTERED, RPC_S_SERVER_UNAVAILABLE},
        {ERROR_FILE_NOT_FOUND, ERROR_FILE_NOT_FOUND},
        {ERROR_INVALID_PARAMETER, ERROR_INVALID_PARAMETER},
        {ERROR_UNKNOWN_PRINTER_DRIVER, ERROR_UNKNOWN_PRINTER_DRIVER},
        {ERROR_DISK_FULL, ERROR_DISK_FULL},
    };
    for (const Case& c : cases)
        EXPECT_EQ(corvane::MapSpoolerError(c.error), c.result) << "error " << c.error;
}

}  // namespace
