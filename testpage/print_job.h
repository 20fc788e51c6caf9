// A print job on a printer context: started on construction, aborted on scope exit
// unless it was ended, so a job can never be left open in the spooler.
#pragma once

#include <windows.h>

namespace testpage {

class PrintJob {
public:
    PrintJob(HDC hdc, const DOCINFOA& doc) : hdc_(hdc), started_(hdc && StartDocA(hdc, &doc) > 0) {}
    ~PrintJob()
    {
        if (started_)
            AbortDoc(hdc_);
    }
    PrintJob(const PrintJob&) = delete;
    PrintJob& operator=(const PrintJob&) = delete;

    void StartPage() { ::StartPage(hdc_); }
    void EndPage() { ::EndPage(hdc_); }

    // Hands the job to the spooler; true when it took it.
    bool End()
    {
        const bool handedOver = started_ && EndDoc(hdc_) > 0;
        started_ = false;
        return handedOver;
    }

private:
    HDC hdc_;
    bool started_;
};

// The job descriptor both pages use: no output file, no data type, no flags.
inline DOCINFOA TestPageDocInfo(const char* documentName)
{
    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = documentName;
    return doc;
}

}  // namespace testpage
