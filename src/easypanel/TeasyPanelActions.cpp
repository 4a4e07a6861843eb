// What the user does to panels: collapse and expand them (animated), zoom one, and the
// panel menu's commands.
#include "easypanel/TeasyPanel.h"

#include "easypanel/WindowHelpers.h"
#include "util/TextParse.h"

#include <QMenu>
#include <chrono>
#include <string>

void TeasyPanel::AnimateHeight(TBevelPanel* panel, const TAnimationPass& pass) {
    for (const int32_t height : HeightSteps(panel->height(), pass)) {
        const QRect before = panel->geometry();
        SetClampedHeight(panel, height);
        // Also paints the strip the panel gave up; no event is processed until the end.
        if (QWidget* parent = panel->parentWidget()) {
            parent->repaint(before.united(panel->geometry()));
        } else {
            panel->repaint();
        }
        const auto painted = std::chrono::steady_clock::now();
        while (WithinMs(StepMs, painted, std::chrono::steady_clock::now())) {
        }
    }
}

// Qt paints every step through the backing store and repaint() flushes it at once, so the
// panels stay double buffered while they move.
void TeasyPanel::AnimateCollapse(TBevelPanel* ref) {
    const int32_t slot = FindPanel(ref);
    if (slot < 0) {
        return;
    }
    const int32_t target = CollapsedHeight(slot);
    if (!Animate) {
        SetClampedHeight(ref, target);
        return;
    }
    for (const TAnimationPass& pass : CollapsePasses(ref->height(), target)) {
        AnimateHeight(ref, pass);
    }
}

void TeasyPanel::AnimateExpand(TBevelPanel* ref, int32_t target) {
    const int32_t slot = FindPanel(ref);
    if (slot < 0) {
        return;
    }
    if (!Animate) {
        SetClampedHeight(ref, target);
        return;
    }
    for (const TAnimationPass& pass : ExpandPasses(ref->height(), target, CollapsedHeight(slot))) {
        AnimateHeight(ref, pass);
    }
}

int32_t TeasyPanel::SlotOfButton(const QObject* button) const {
    if (button == nullptr) {
        return -1;
    }
    for (int32_t slot = 0; slot < PanelSlots; ++slot) {
        if (IsRegistered(slot) &&
            (Slots[slot].CollapseButton == button || Slots[slot].CornerButton == button)) {
            return slot;
        }
    }
    return -1;
}

void TeasyPanel::CollapseButtonClick(QObject* sender) {
    const int32_t slot = SlotOfButton(sender);
    if (slot < 0) {
        return;
    }
    SetCollapsed(slot, Slots[slot].Collapsed, Animate);
    Changed();
}

void TeasyPanel::TitlebarDblClick(QObject* sender) {
    if (sender == nullptr) {
        return;
    }
    // "titlebar_<slot>_<panel name>"
    std::string name = sender->objectName().toStdString();
    CutToken(name, '_');
    int32_t slot = -1;
    try {
        slot = CutInt(name, '_');
    } catch (const ConversionError&) {
        return;
    }
    if (!IsRegistered(slot)) {
        return;
    }
    Slots[slot].Zoomed = !Slots[slot].Zoomed;
    Changed();
}

void TeasyPanel::PanelMenuClick(int position) {
    switch (position) {
    case 0:
    case 1:
        for (int32_t slot = 0; slot < PanelSlots; ++slot) {
            SetCollapsed(slot, position == 1, false);
        }
        Changed();
        break;
    case 2: {
        const int32_t slot = SlotOfButton(MenuSource);
        SetTitlebar(slot, !TitlebarVisible(slot), true);
        break;
    }
    case 3:
    case 4:
        for (int32_t slot = 0; slot < PanelSlots; ++slot) {
            SetTitlebar(slot, position == 4, false);
        }
        Changed();
        break;
    case 5:
    case 6:
    case 7:
    case 8:
        SetPanelStyle(position - 5);
        // A thicker frame needs taller panels.
        Changed();
        break;
    default:
        break;
    }
}
