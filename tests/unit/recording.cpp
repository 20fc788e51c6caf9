#include "recording.h"

#include "install/prompt.h"
#include "install/trace.h"

namespace {

std::vector<std::string> g_traces;
std::vector<ShownBox> g_boxes;

void RecordTrace(const char* line) { g_traces.emplace_back(line); }

int WINAPI RecordBox(HWND owner, LPCSTR text, LPCSTR caption, UINT flags)
{
    g_boxes.push_back({owner, text ? text : "", caption ? caption : "", flags});
    return IDOK;
}

}  // namespace

Recording::Recording()
{
    g_traces.clear();
    g_boxes.clear();
    trace::SetSink(RecordTrace);
    g_pfnMessageBox = RecordBox;
}

Recording::~Recording()
{
    trace::SetSink(nullptr);
    g_pfnMessageBox = MessageBoxA;
}

const std::vector<std::string>& Recording::traces() const { return g_traces; }

const std::vector<ShownBox>& Recording::boxes() const { return g_boxes; }
