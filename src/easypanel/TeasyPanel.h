#pragma once

#include "GPanel/TGPanel.h"
#include "easypanel/PanelAnimation.h"
#include "easypanel/PanelStack.h"

#include <QFrame>
#include <QLabel>
#include <QPointer>
#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QMenu;

// Turns plain panels of a window into titled, collapsible panels: a title bar with the
// caption, a collapse button and a context menu, and a gradient content area that takes over
// the panel's controls. From then on it owns the panels' heights and stacks them in columns.
// A panel is named by its pointer; inside order texts by its code, '0' + slot index. Every
// change of state ends in OnChange, through which the owner lays the window out again.
// Build with Init. The parts stay with their panels; when this object goes, the handlers it
// gave them are taken back.
class TeasyPanel : public PanelStack {
public:
    struct TPanelSlot {
        QPointer<TBevelPanel> PanelRef;
        bool Zoomed = false;
        QPointer<TGPanel> TitleBar;
        QPointer<TGPanel> Content;
        QPointer<QLabel> TitleLabel;
        QPointer<TBevelPanel> CollapseButton; // on the title bar
        QPointer<TBevelPanel> CornerButton;   // at the panel's corner while the bar is hidden
        QPointer<QFrame> TitleBevel;
        std::string Spec; // weight|min|max, heights without the title bar
        bool Collapsed = false;
        bool TitlebarAllowed = false; // the collapse button works
        bool ExpandPending = false;   // animate the expand after the next placement
    };

    static constexpr int64_t StepMs = 8; // a step lasts until more than this has passed

    TeasyPanel() = default;
    TeasyPanel(const TeasyPanel&) = delete;
    TeasyPanel& operator=(const TeasyPanel&) = delete;
    ~TeasyPanel();

    int32_t TitlebarTotalHeight = 24; // title bar with its bevel
    std::string Order;                // codes in display order, '.' between columns
    int32_t TitlebarHeight = 24;      // without bevel; also the least collapsed height
    int32_t BevelHeight = 2;
    bool TitlebarsAllowed = true; // panels registered now get a working collapse button
    bool TitlebarsVisible = true; // title bars of panels registered now are visible
    bool Gradient = true;         // content areas painted with a gradient, else flat
    int32_t PanelCount = 0;
    bool Animate = true;
    bool PanelsHidden = false; // set by the owner
    int32_t CornerButtonHeight = 6;
    int32_t CornerButtonWidth = 6;
    std::array<TPanelSlot, PanelSlots> Slots;
    std::function<void()> OnChange;
    std::string Registered;     // codes in registration order
    QMenu* PanelMenu = nullptr; // built by Init, owned by this object

    void Init();
    // Registers the panel, or replaces the size specification of a registered one. Throws
    // ConversionError for a minimum or maximum that is not an integer, before anything
    // changes. A 22nd panel is refused.
    void AddPanel(TBevelPanel* ref, const std::string& spec);
    // Registers every named TBevelPanel (not TGPanel) among the direct children whose caption
    // is not " ", with the caption's text after the first "|" as size specification. Returns
    // the codes of all registered slots.
    std::string AddAllPanels(QWidget* container);
    // "ord:" + codes, or panel names (case-insensitive, "Prefix*" for every registered panel
    // whose name begins so) joined by ","; each panel counts once.
    void SetOrder(const std::string& names);
    void SetTitlebarHeight(int32_t height);
    void CollapsePanel(TBevelPanel* ref);
    void HideTitlebar(TBevelPanel* ref);
    // 0 flat, 1 raised, 2 lowered+raised, 3 lowered.
    void SetPanelStyle(int style);
    // The title texts again in black or white for the palette now; panels and bars follow a
    // change of palette by themselves.
    void FollowPalette();
    int32_t PanelClientHeight(const TBevelPanel* ref) const;
    int32_t PanelWidth(const TBevelPanel* ref) const;
    void Changed();

    int32_t FindPanel(const TBevelPanel* ref) const;
    bool IsRegistered(int32_t slot) const;
    void SetTitlebar(int32_t slot, bool visible, bool relayout);
    void SetCollapsed(int32_t slot, bool expand, bool apply);
    bool AnyZoomed() const;
    int32_t CollapsedHeight(int32_t slot) const;
    // The size specification of the panel as it is shown now (collapsed, or expanded with
    // or without title bar); empty for an unregistered slot.
    std::string StateSpec(int32_t slot) const;
    int32_t StateMinHeight(int32_t slot) const;
    // Pixels a panel's frame takes at top and bottom beyond the one pixel a side its
    // contents were laid out for; expanded panels grow by them.
    int32_t FrameExcess(int32_t slot) const;
    static constexpr int32_t DesignedFrame = 1;
    void PlaceTitlebarParts(int32_t slot);
    void AnimateCollapse(TBevelPanel* ref);
    void AnimateExpand(TBevelPanel* ref, int32_t target);
    void CollapseButtonClick(QObject* sender);
    void TitlebarDblClick(QObject* sender);
    void PanelMenuClick(int position);

    // Stacking: MinHeight and StateSpec of every slot from the panels' states; the order
    // loses every character that is not a registered code, and repeated codes.
    void RefreshMinHeights(std::string& order);
    // Positions the panels of `order` for a work area; returns the height left for the grid.
    int32_t Layout(const std::string& order, int32_t height, int32_t width, int32_t reserve);
    // The height Layout would leave, for codes RefreshMinHeights has cleaned, with the minimum
    // heights as last refreshed and no panel positioned: one candidate of a search.
    int32_t HeightLeft(const std::string& codes, int32_t height, int32_t width, int32_t reserve);
    // Moves, sizes and shows the panels as last computed; runs pending expand animations.
    void Place(const std::string& order);
    void ShowPanels(const std::string& order, bool hidden);
    int32_t SumHeights(const std::string& order, bool hidden) const;
    std::string Describe(const std::string& order, bool hidden) const;

private:
    // The height the last distribution left for the grid, under `reserve`.
    int32_t GridHeight(int32_t height, int32_t reserve) const;
    void DetachParts();
    bool TitlebarVisible(int32_t slot) const;
    bool ShownCollapsed(int32_t slot) const;
    int32_t SlotOfButton(const QObject* button) const;
    void BuildParts(int32_t slot);
    // The steps of BuildParts: the title bar with its label and bevel, the content panel that
    // takes the panel's controls, the collapse and corner buttons.
    void BuildTitleBar(int32_t slot, const QString& title);
    void BuildContent(int32_t slot);
    void BuildButtons(int32_t slot, const QString& title);
    void SetUpButton(TBevelPanel* button);
    void PaintContent(int32_t slot);
    void AnimateHeight(TBevelPanel* panel, const TAnimationPass& pass);

    QPointer<QWidget> MenuSource; // the button the panel menu was last opened on
};
