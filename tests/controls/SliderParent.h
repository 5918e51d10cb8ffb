// A recording parent for sliders and the knob: it records every WM_SLIDER_POS the controls
// post and, when asked, answers each one as the main window's model does.
#pragma once

#include "controls/SliderWindow.h"

#include "RecordingParent.h"

#include <windows.h>

#include <functional>
#include <ostream>
#include <vector>

struct SliderReport {
    int value;
    LPARAM id;
    friend bool operator==(const SliderReport&, const SliderReport&) = default;
};

inline std::ostream& operator<<(std::ostream& out, const SliderReport& r)
{
    return out << "(value " << r.value << ", id " << r.id << ")";
}

class CSliderParent : public CRecordingParent {
public:
    // Runs for each report once the parent has recorded it, e.g. to set the value back.
    std::function<void(int value)> onReport;

    std::vector<SliderReport> Reports()
    {
        std::vector<SliderReport> reports;
        for (const RecordedMessage& m : Take(WM_SLIDER_POS))
            reports.push_back({static_cast<int>(m.wParam), m.lParam});
        return reports;
    }
    std::vector<int> Values()
    {
        std::vector<int> values;
        for (const SliderReport& r : Reports())
            values.push_back(r.value);
        return values;
    }
    // The reports delivered so far, then forgotten.
    std::vector<int> PumpValues()
    {
        Pump();
        std::vector<int> values = Values();
        recorded.clear();
        return values;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_SLIDER_POS) {
            recorded.push_back({message, wParam, lParam});
            if (onReport)
                onReport(static_cast<int>(wParam));
            return 0;
        }
        return CRecordingParent::WindowProc(message, wParam, lParam);
    }
};
