#pragma once

#include "core/ResultComputation.h"
#include "easygrid/TEasyGrid.h"
#include "easypanel/TForm.h"
#include "superarray/superarray.h"

#include <QString>
#include <optional>
#include <string_view>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QLineEdit;
class QSlider;
class TBevelPanel;
class TGridControl;
class TPopupMenu;
class TSpinEdit;
class TUrlLauncher;

// The maker's web site; the two links append their paths to it.
inline constexpr std::string_view MakerSiteUrl = "http://www.pixolan.example";
inline constexpr std::string_view HomepagePath = "/members/pixolan/index.htm?1.5";
inline constexpr std::string_view HelpPagePath = "/members/pixolan/help.htm?1.5";

// The program's window: the inputs in titled panels, the predefined formats and the result
// grid. Every input change recomputes the whole result list.
class TForm1 : public TForm {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);

    void InitStart();
    void Recount();
    void StringGrid1ClickCell(int ACol, int ARow);
    // Makes result row ARow (clamped to the list; the header means the first row) the
    // reference pair and recomputes.
    void ChooseReference(int ARow);
    void Setratiofromgrid(int ACol, int ARow);
    void SetTo(QAction* item);
    void SetScreenRatioFromPopUpMenu(QAction* item);
    void ChangeTRansparency();
    void SetSizes();
    void PanelURLClick();
    void PanelURLClick2();
    // The selected result rows as tab-separated lines under a line of the visible headers.
    QString SelectedRowsText() const;

    // Before the controllers, which refer to them, so that they go last.
    superarray ResultTable;
    superarray PredefinedTable;
    ReferencePair Reference;
    TEasyGrid ResultController;
    TEasyGrid PredefinedController;

    TBevelPanel* PanelFromTo = nullptr;
    QLabel* Label1 = nullptr;
    TSpinEdit* SpinEdit3 = nullptr;
    QLabel* Label2 = nullptr;
    TSpinEdit* SpinEdit4 = nullptr;

    TBevelPanel* PanelDividable = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label13 = nullptr;
    QLineEdit* Edit1 = nullptr;
    QLineEdit* Edit2 = nullptr;
    QLabel* Label17 = nullptr;
    QLineEdit* Edit3 = nullptr;
    QLineEdit* Edit4 = nullptr;

    TBevelPanel* PanelRatio = nullptr;
    QLabel* Label3 = nullptr;
    TSpinEdit* SpinEdit5 = nullptr;
    TSpinEdit* SpinEdit6 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label10 = nullptr;
    QFrame* Bevel1 = nullptr;
    QLabel* Label6 = nullptr;
    TSpinEdit* SpinEdit7 = nullptr;
    QLabel* Labelfixed43 = nullptr;
    QLabel* Labelfixed34 = nullptr;
    TSpinEdit* SpinEdit8 = nullptr;
    QFrame* Bevel2 = nullptr;
    QCheckBox* CheckBox1 = nullptr;
    QSlider* TrackBar1 = nullptr;
    TGridControl* StringGrid2 = nullptr;

    TBevelPanel* PanelRotatedRatio = nullptr;
    QLabel* Label11 = nullptr;
    TSpinEdit* SpinPlayRatioX = nullptr;
    QLabel* Label18 = nullptr;
    TSpinEdit* SpinPlayRatioY = nullptr;
    QLabel* Label12 = nullptr;
    QLabel* Label14 = nullptr;
    QLabel* Label15 = nullptr;
    TSpinEdit* SpinScreenRatioX = nullptr;
    QLabel* Label19 = nullptr;
    TSpinEdit* SpinScreenRatioY = nullptr;
    QCheckBox* CheckBox3 = nullptr;
    TBevelPanel* Panel1 = nullptr;

    TBevelPanel* PanelOptions = nullptr;
    QCheckBox* CheckBox2 = nullptr;

    TBevelPanel* PanelURL = nullptr;
    QLabel* Label16 = nullptr;

    TGridControl* StringGrid1 = nullptr;

    TPopupMenu* PopupMenu3 = nullptr;
    TPopupMenu* PopupMenuScreenRatio = nullptr;
    TUrlLauncher* UrlLauncher1 = nullptr;

protected:
    bool event(QEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateControls();
    void CreatePanels();
    void CreateInputs();
    void CreateOthers();
    void CreateGrids();
    void CreateMenus();
    void BindEvents();
    void FillPredefined();
    void DeclareResultColumns();
    void ArrangePanels();
    void SetTabOrder();
    void NameControls();
    // The homepage link: the content area of its panel once the panel is registered.
    TBevelPanel* UrlLink() const;
    void ShowReducedRatio(const ResultEchoes& echoes);
    void OpenPage(std::string_view path);
    void ShowPopup(TPopupMenu* menu, QWidget* component, const QPoint& pos);
    // The desktop's palette decides between the designed light look and its dark version.
    void ShowColourScheme();

    bool PlacedInFrame = false;
    bool ShowingScheme = false; // its own palette change does not start it again
    // The "same ratio as window size" state the inputs were last coloured for; none before the
    // first run.
    std::optional<bool> ColouredForWindowSize;

    // Hears the application's palette changes for the window.
    class PaletteWatch : public QObject {
    public:
        explicit PaletteWatch(TForm1* form) : Form(form) {}
        bool eventFilter(QObject* watched, QEvent* event) override;

    private:
        TForm1* Form;
    };
    PaletteWatch PaletteWatcher{this};
};
