#pragma once

/// What a dialog tells the window that opened it: whether it changed the document
/// (or the planner's activities), so the opener refreshes only then.
class ReportsChange
{
public:
    [[nodiscard]] bool changedDocument() const { return m_changed; }

protected:
    void markChanged() { m_changed = true; }

private:
    bool m_changed = false;
};
