#include "interpreter/recordinghost.h"

std::string TRecordingHost::Line(const std::string& caption, const std::string& text)
{
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            shown += "\\n";
            ++i;
        } else {
            shown += text[i];
        }
    }
    return "[" + caption + "] " + shown;
}

void TRecordingHost::Record(const std::string& line)
{
    lines.push_back(line);
    if (echo) echo(line);
}

bool TRecordingHost::ReadStopRequest()
{
    if (stopAfterPolls < 0) return false;
    if (++polls < stopAfterPolls) return false;
    stopAfterPolls = -1;
    return true;
}

int TRecordingHost::MessageBox(const TVtlMessageBox& box)
{
    boxes.push_back(box);
    Record(Line(box.caption, box.text));
    if (answers.empty()) return 1;
    int a = answers.front();
    answers.pop_front();
    return a;
}

void TRecordingHost::ShowTimedStatusMessage(const std::string& text, int, int ms)
{
    Record(Line("status " + std::to_string(ms), text));
}

std::string TRecordingHost::History(int list)
{
    return history ? history->Get(static_cast<THistoryList>(list)) : std::string();
}

void TRecordingHost::AddHistory(int list, const std::string& line)
{
    if (history) history->Add(static_cast<THistoryList>(list), line);
}

void TRecordingHost::SetHistory(int list, const std::string& text)
{
    if (history) history->Set(static_cast<THistoryList>(list), text);
}
