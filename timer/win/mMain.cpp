#include "mMain.h"

#include "logic/picture_pool.h"
#include "logic/report_error.h"
#include "text/wide.h"

#include <windows.h>

#include <new>
#include <system_error>

namespace mb::timer {

void ReportError(long line, long number, std::string_view procedure, std::string_view description) {
    MessageBoxW(nullptr, Widen(ReportErrorText(line, number, procedure, description)).c_str(),
                Widen(kReportErrorTitle).c_str(), MB_OK | MB_ICONSTOP);
}

void ReportCurrentException(std::string_view procedure) {
    try {
        throw;
    } catch (const RunTimeError& e) {
        ReportError(0, e.Number(), procedure, e.what());
    } catch (const CollectionError& e) {
        // The pool is refilled inside other procedures too; the error belongs to the refill.
        ReportError(0, 0, "Set_Collection", e.what());
    } catch (const std::system_error& e) {
        ReportError(0, e.code().value(), procedure, e.what());
    } catch (const std::bad_alloc&) {
        ReportError(0, kOutOfMemory, procedure, "メモリが不足しています。");
    } catch (const std::exception& e) {
        ReportError(0, 0, procedure, e.what());
    }
}

}  // namespace mb::timer
