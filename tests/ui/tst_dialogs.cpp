// The three dialogs driven as a user drives them, offscreen: keys and clicks
// on the real controls, every file choice and message answered by a fake port,
// the colour and font dialogs answered as they open.
#include "app/fake_user_port.h"
#include "model/headless.h"
#include "model/laptime_project.h"
#include "model/sheet_settings_file.h"
#include "ui/app_settings_dialog.h"
#include "ui/color_box.h"
#include "ui/settings_widgets.h"
#include "ui/sheet_settings_dialog.h"
#include "ui/sheet_sort_dialog.h"
#include "ui/ui_test_helpers.h"

#include <QColorDialog>
#include <QDesktopServices>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <fstream>
#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

namespace {

using Strings = std::vector<std::string>;

// Runs Action once the modal dialog that is about to open is on screen, and
// closes it afterwards should Action have left it open (a failed check).
void WhenOpen(QDialog& Dialog, std::function<void()> Action) {
    QTimer::singleShot(0, &Dialog, [&Dialog, Action] {
        QVERIFY(Dialog.isVisible());
        Action();
        if (Dialog.isVisible()) Dialog.reject();
    });
}

// Answers the next modal dialog (a colour or font dialog) as it opens.
template <typename D> void AnswerNext(std::function<void(D&)> Answer) {
    QTimer::singleShot(0, qApp, [Answer] {
        auto* d = qobject_cast<D*>(QApplication::activeModalWidget());
        QVERIFY(d);
        Answer(*d);
    });
}

template <typename T = QWidget> T* Find(const QWidget& Dialog, const char* Name) {
    return Dialog.findChild<T*>(QString::fromLatin1(Name));
}

QPushButton* Button(QWidget* Dialog, const QString& Text) {
    for (QPushButton* b : Dialog->findChildren<QPushButton*>())
        if (b->text() == Text) return b;
    return nullptr;
}

void Click(QWidget* Dialog, const QString& Text) {
    QPushButton* b = Button(Dialog, Text);
    QVERIFY2(b, qPrintable(Text));
    QTest::mouseClick(b, Qt::LeftButton);
}

// Brings the control's page to the front by clicking its tab.
void ShowPageOf(QWidget* Control) {
    auto* tabs = Control->window()->findChild<QTabWidget*>();
    for (int i = 0; i < tabs->count(); ++i)
        if (tabs->widget(i)->isAncestorOf(Control))
            QTest::mouseClick(tabs->tabBar(), Qt::LeftButton, {},
                              tabs->tabBar()->tabRect(i).center());
}

// Runs the font dialog of the group Label is in, checks the size it starts
// from and picks the proportional CJK face, bold, in Size points.
void PickBoldFont(QLabel* Label, int Size, int StartSize) {
    AnswerNext<QFontDialog>([Size, StartSize](QFontDialog& d) {
        QCOMPARE(d.currentFont().pointSize(), StartSize);
        QFont f(QStringLiteral("Noto Sans CJK JP"));
        f.setPointSize(Size);
        f.setBold(true);
        d.setCurrentFont(f);
        d.accept();
    });
    ShowPageOf(Label);
    Click(Label->window(), QStringLiteral(".."));
    QVERIFY(Label->font().bold());
}

// A click on the box itself (a check box wider than its text takes no click
// beyond it).
void Tick(QCheckBox* Box) {
    QTest::mouseClick(Box, Qt::LeftButton, {}, QPoint(6, Box->height() / 2));
}

// A change of the control as the user makes it; returns the value it shows.
std::int64_t ChangeAsUser(QWidget* Control) {
    ShowPageOf(Control);
    if (auto* e = qobject_cast<TNumberEdit*>(Control)) {
        e->selectAll();
        QTest::keyClicks(e, QStringLiteral("42"));
        return e->value();
    }
    if (auto* c = qobject_cast<QCheckBox*>(Control)) {
        Tick(c);
        return c->isChecked();
    }
    QTest::keyClick(Control, Qt::Key_Down);
    if (auto* b = qobject_cast<TColorBox*>(Control)) return b->Color();
    return qobject_cast<QComboBox*>(Control)->currentIndex();
}

// A control by its name, and a writer of the field it is bound to, which
// returns the value the field held.
template <typename Record>
using FieldCase = std::pair<std::string, std::function<std::int64_t(Record&, std::int64_t)>>;

template <typename Record, typename Access>
FieldCase<Record> Field(std::string Control, Access Get) {
    return {Control, [Get](Record& r, std::int64_t v) {
                auto& f = std::invoke(Get, r);
                return std::int64_t(std::exchange(f, std::remove_reference_t<decltype(f)>(v)));
            }};
}

// Each control, changed by the user, changes its own field and no other.
template <typename Record, typename Dialog>
void CheckEveryControlWritesItsField(Dialog& D, const std::vector<FieldCase<Record>>& Cases) {
    for (const auto& [control, write] : Cases) {
        auto* w = D.template findChild<QWidget*>(QString::fromStdString(control));
        QVERIFY2(w, control.c_str());
        Record expected = D.Work();
        const std::int64_t shown = ChangeAsUser(w);
        QVERIFY2(write(expected, shown) != shown, control.c_str());
        QVERIFY2(D.Work() == expected, control.c_str());
    }
}

// A project of sheets named Names, shown in a grid with a real selector.
struct SortRig {
    TLapGrid Grid;
    TPlainSelector Selector;
    THeadlessHost H;
    std::unique_ptr<TLaptimeProject> Project;

    explicit SortRig(const char* Names) {
        Grid.SetColCount(5);
        std::vector<TLaptimeSheet> sheets;
        for (const QString& n : QString::fromLatin1(Names).split(QLatin1Char(' '))) {
            sheets.push_back(DefaultSheetSettings());
            sheets.back().Name.assign(n.toStdString());
        }
        Project = TLaptimeProject::CreateFromSheets(sheets, "", Grid, Selector, H);
    }
    // The sheet names in project order, as one string.
    QString Names() const {
        QStringList out;
        for (const TLaptimeSheet& s : Project->Sheets)
            out << QString::fromStdString(s.Name.str());
        return out.join(QLatin1Char(' '));
    }
};

QPoint ItemCentre(const QListWidget& List, int Row) {
    return List.visualItemRect(List.item(Row)).center();
}

} // namespace

// Stands in for the desktop's browser.
class UrlCatcher : public QObject {
    Q_OBJECT
  public:
    QStringList Opened;
  public slots:
    void Open(const QUrl& Url) { Opened << Url.toString(); }
};

class TestDialogs : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    std::string Path(const char* Name) const {
        return FDir.filePath(QString::fromLatin1(Name)).toStdString();
    }

  private slots:
    // ---- sheet settings ----

    void sheetSettingsEveryControlWritesItsField() {
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        WhenOpen(dlg, [&] {
#define F(field) Field<TLaptimeSheet>(#field, &TLaptimeSheet::field)
            std::vector<FieldCase<TLaptimeSheet>> cases = {
                F(RowCount),        F(DefRowHeight), F(HeaderColor), F(HeaderDarkColor),
                F(HeaderFontColor), F(BoxColor),     F(CellColor),   F(AlternateColor),
                F(GridStyle),       F(GridColor),    F(ShowGrid),    F(FontColor),
                F(BackColor),       F(PlusColor),    F(MinusColor),  F(EqualColor),
                F(TimeFormat)};
#undef F
            // Column i's entry in each per-column array.
// clang-format off
#define C(array) Field<TLaptimeSheet>(#array + std::to_string(i), \
                                     [i](auto& s) -> auto& { return s.array[std::size_t(i)]; })
            for (int i = 0; i < SheetColumnCount; ++i)
                cases.insert(cases.end(),
                             {C(ColVisible), C(ColWidth), C(ColHorzAlign), C(ColVertAlign)});
#undef C
            // clang-format on
            CheckEveryControlWritesItsField(dlg, cases);
        });
        dlg.Execute(TForm2::mdDefaults, settings, settings);
    }

    // Defaults may load, save and change the row count; a single sheet may
    // not. Cancel keeps the settings; OK takes the change and leaves the texts.
    void sheetSettingsModes() {
        // clang-format off
        const struct { int Mode; const char* Caption; bool Files; } modes[] = {
            {TForm2::mdDefaults, "Default Sheet Settings", true},
            {TForm2::mdSheet, "Stage 1 Settings  ", false}};
        // clang-format on
        for (const auto& m : modes)
            CheckMode(m.Mode, m.Caption, m.Files);
    }

  private:
    void CheckMode(int mode, const char* caption, bool fileButtons) {
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        settings.Name.assign("Stage 1");
        settings.Texts[0] = "kept\r\n";
        const TLaptimeSheet before = settings;
        WhenOpen(dlg, [&] {
            QCOMPARE(dlg.windowTitle(), QString::fromUtf8(caption));
            QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
            for (QPushButton* b :
                 {Button(&dlg, QStringLiteral("Load")), Button(&dlg, QStringLiteral("Save"))})
                QCOMPARE(QPair(b->isVisible(), b->isEnabled()), QPair(fileButtons, fileButtons));
            QCOMPARE(Find(dlg, "RowCount")->isEnabled(), fileButtons);
            ChangeAsUser(Find(dlg, "BoxColor"));
            Click(&dlg, QStringLiteral("Cancl"));
        });
        QVERIFY(!dlg.Execute(mode, settings, before));
        QCOMPARE(settings, before);

        WhenOpen(dlg, [&] {
            ChangeAsUser(Find(dlg, "BoxColor"));
            QTest::keyClick(&dlg, Qt::Key_Return);
        });
        QVERIFY(dlg.Execute(mode, settings, before));
        QVERIFY(settings.BoxColor != before.BoxColor);
        QCOMPARE(settings.Texts[0], before.Texts[0]);
    }

  private slots:

    // The controls that do more than write their field.
    void sheetSettingsControls() {
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        settings.ShowGrid = 0;
        settings.DefRowHeight = 150;
        settings.ColWidth[0] = 0;
        settings.ColWidth[1] = 2000;
        settings.MinusColor = TColorBox::DefaultMarker;
        settings.PlusColor = 0x123456;
        WhenOpen(dlg, [&] {
            // Show Grid enables the grid's style and colour, with their captions.
            QList<QWidget*> controls{Find(dlg, "GridStyle"), Find(dlg, "GridColor")};
            for (auto* label : dlg.findChildren<QLabel*>())
                if (controls.contains(label->buddy())) controls << label;
            QCOMPARE(controls.size(), 4);
            for (bool on : {false, true, false}) {
                for (QWidget* w : controls)
                    QCOMPARE(w->isEnabled(), on);
                Tick(Find<QCheckBox>(dlg, "ShowGrid"));
            }

            // Values beyond an edit's arrows show limited and come back
            // unchanged unless the user edits them; typing goes past the arrows.
            auto* height = Find<TNumberEdit>(dlg, "DefRowHeight");
            QCOMPARE(height->value(), 100);
            QCOMPARE(Find<TNumberEdit>(dlg, "ColWidth0")->value(), 5);
            QCOMPARE(Find<TNumberEdit>(dlg, "ColWidth1")->value(), 999);
            QTest::keyClick(height, Qt::Key_Up);
            QCOMPARE(height->value(), 100);
            QCOMPARE(dlg.Work().DefRowHeight, 150);
            height->selectAll();
            QTest::keyClicks(height, QStringLiteral("9x99-"));
            QCOMPARE(dlg.Work().DefRowHeight, 999);
            QTest::keyClick(height, Qt::Key_Down);
            QCOMPARE(dlg.Work().DefRowHeight, 100);
            QTest::keyClick(height, Qt::Key_Down);
            QCOMPARE(dlg.Work().DefRowHeight, 99);

            // "Custom..." opens the colour dialog; a file's default marker
            // shows as the default entry, and a dismissed dialog goes back to it.
            auto* minus = Find<TColorBox>(dlg, "MinusColor");
            QCOMPARE(minus->currentText(), QStringLiteral("Default"));
            QCOMPARE(Find<TColorBox>(dlg, "PlusColor")->currentText(), QStringLiteral("Custom..."));
            ShowPageOf(minus);
            AnswerNext<QColorDialog>([](QColorDialog& d) {
                d.setCurrentColor(QColor(1, 2, 3));
                d.accept();
            });
            QTest::keyClick(minus, Qt::Key_Home);
            QCOMPARE(dlg.Work().MinusColor, 0x030201u);
            AnswerNext<QColorDialog>([](QColorDialog& d) { d.reject(); });
            QTest::keyClick(minus, Qt::Key_Down);
            QTest::keyClick(minus, Qt::Key_Up); // back onto "Custom...", dismissed
            QCOMPARE(minus->currentText(), QStringLiteral("Default"));
            QCOMPARE(dlg.Work().MinusColor, DefaultSheetSettings().MinusColor);

            // ".." opens the font dialog on the cell font, shown in its stand-in.
            auto* label = Find<QLabel>(dlg, "FontName");
            QCOMPARE(label->text(), QStringLiteral("ＭＳ ゴシック"));
            QCOMPARE(label->font().family(), QStringLiteral("Noto Sans Mono CJK JP"));
            PickBoldFont(label, 14, 11);
            const TLaptimeSheet& w = dlg.Work();
            QVERIFY(w.FontName.str() == "Noto Sans CJK JP" && w.FontSize == 14 &&
                    w.FontStyle == fsBold);
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(dlg.Execute(TForm2::mdSheet, settings, settings));
        QCOMPARE(settings.DefRowHeight, 99);
        QCOMPARE(settings.ColWidth[0], 0);
        QCOMPARE(settings.ColWidth[1], 2000);
        QCOMPARE(settings.PlusColor, 0x123456u);
    }

    // Save writes the defaults as they stood when the dialog opened, and Load
    // brings them back; a file that is not a whole settings file, or cannot
    // be read or written, is reported once and changes nothing.
    void sheetSettingsFiles() {
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings(), stored = settings;
        stored.PlusColor = 0x00ABCDEF;
        std::string wrongStamp = WriteSheetSettingsFile(stored);
        std::ofstream(Path("short.dsf"), std::ios::binary) << wrongStamp.substr(0, 635);
        wrongStamp[0] = 99;
        std::ofstream(Path("stamp.dsf"), std::ios::binary) << wrongStamp;
        WhenOpen(dlg, [&] {
            auto* plus = Find<TColorBox>(dlg, "PlusColor");
            ChangeAsUser(plus);
            const TLaptimeSheet changed = dlg.Work();
            port.FileName = Path("good.dsf");
            Click(&dlg, QStringLiteral("Save"));
            QCOMPARE(port.Dialogs.at(0), file_dialogs::SaveSheetSettings());
            port.FileName = Path("none/x.dsf");
            Click(&dlg, QStringLiteral("Save"));
            QCOMPARE(port.Errors.size(), std::size_t(1));
            QVERIFY(port.Errors[0].find(port.FileName) != std::string::npos);

            const std::string incompatible = std::string("Cnfm: ") + IncompatibleSettingsMessage;
            // clang-format off
            const std::tuple<const char*, std::string, Strings, std::size_t> refused[] = {
                {"short", Path("short.dsf"), {incompatible}, 0},
                {"wrong stamp", Path("stamp.dsf"), {incompatible}, 0},
                {"missing folder", Path("none/x.dsf"), {}, 1},
                {"dismissed", "", {}, 0}};
            // clang-format on
            for (const auto& [name, file, told, errors] : refused) {
                port.Messages.clear();
                port.Errors.clear();
                port.FileName = file;
                Click(&dlg, QStringLiteral("Load"));
                QVERIFY2(port.Messages == told && port.Errors.size() == errors, name);
                QVERIFY2(dlg.Work() == changed && plus->Color() == changed.PlusColor, name);
            }
            QCOMPARE(port.Dialogs.back(), file_dialogs::OpenSheetSettings());

            port.FileName = Path("good.dsf");
            Click(&dlg, QStringLiteral("Load"));
            QVERIFY(port.Messages == Strings{"Cnfm: Loaded sheet settings file.  "});
            QCOMPARE(plus->Color(), 0x00ABCDEFu);
        });
        dlg.Execute(TForm2::mdDefaults, settings, stored);
    }

    // ---- application settings ----

    void appSettings() {
        TLapEnv env;
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        {
            TForm3 dlg(nullptr);
            WhenOpen(dlg, [&] {
#define F(field) Field<TLapEnv>(#field, &TLapEnv::field)
                CheckEveryControlWritesItsField<TLapEnv>(
                    dlg, {F(ReopenLast), F(ScrollThreshold), F(MaxUndoIndex), F(ConfirmRename),
                          F(ConfirmManyRows), F(ColumnsResizable), F(NotesFontColor)});
#undef F
                // Each header text goes to its own column's slot, in the code page.
                for (int i = 0; i < SheetColumnCount; ++i) {
                    auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("HeaderText%1").arg(i));
                    ShowPageOf(edit);
                    edit->selectAll();
                    TypeText(edit, QStringLiteral("差%1").arg(i));
                    QCOMPARE(qt_bridge::FromBytes(dlg.Work().HeaderTexts[std::size_t(i)].str()),
                             QStringLiteral("差%1").arg(i));
                }
                Click(&dlg, QStringLiteral("OK"));
            });
            QVERIFY(dlg.Execute(env));
            QCOMPARE(env.ScrollThreshold, 1);

            // The notes colour and font, and the support link; Cancel then
            // keeps the settings as they were.
            const TLapEnv before = env;
            WhenOpen(dlg, [&] {
                auto* notes = Find(dlg, "NotesColor");
                ShowPageOf(notes);
                AnswerNext<QColorDialog>([](QColorDialog& d) {
                    d.setCurrentColor(QColor(10, 20, 30));
                    d.accept();
                });
                QTest::mouseClick(notes, Qt::LeftButton);
                QCOMPARE(dlg.Work().NotesColor, 0x1E140Au);
                QCOMPARE(notes->palette().color(QPalette::Window), QColor(10, 20, 30));
                // The keyboard alone reaches it and chooses with Space.
                QVERIFY(notes->focusPolicy() & Qt::TabFocus);
                notes->setFocus();
                AnswerNext<QColorDialog>([](QColorDialog& d) {
                    d.setCurrentColor(QColor(40, 50, 60));
                    d.accept();
                });
                QTest::keyClick(notes, Qt::Key_Space);
                QCOMPARE(dlg.Work().NotesColor, 0x3C3228u);

                auto* label = Find<QLabel>(dlg, "NotesFontName");
                QCOMPARE(label->text(), QStringLiteral("ＭＳ Ｐゴシック"));
                PickBoldFont(label, 16, 11);
                const TLapEnv& w = dlg.Work();
                QVERIFY(w.NotesFontName.str() == "Noto Sans CJK JP" && w.NotesFontSize == 16 &&
                        w.NotesFontStyle == fsBold);

                // The link turns blue under the pointer and opens in the browser.
                auto* link = Find<TLinkLabel>(dlg, "SupportLink");
                ShowPageOf(link);
                const QColor normal = link->palette().color(QPalette::WindowText);
                QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)));
                QApplication::sendEvent(link, &enter);
                QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
                QEvent leave(QEvent::Leave);
                QApplication::sendEvent(link, &leave);
                QCOMPARE(link->palette().color(QPalette::WindowText), normal);
                QTest::mouseClick(link, Qt::LeftButton);
                Click(&dlg, QStringLiteral("Cancel"));
            });
            QVERIFY(!dlg.Execute(env));
            QCOMPARE(env, before);
        }
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.Opened, QStringList{QString::fromLatin1(SupportAddress)});
        // A new dialog opens on the page the last one was left on.
        TForm3 again(nullptr);
        WhenOpen(again, [&] { QCOMPARE(again.findChild<QTabWidget*>()->currentIndex(), 3); });
        again.Execute(env);
    }

    // ---- sheet sort ----

    // Up and Dn move the current sheet, a drag the dragged one; each move
    // reaches the project at once, so there is no Cancel.
    void sortSheets() {
        SortRig rig("a b c d e");
        TForm4 dlg(nullptr);
        WhenOpen(dlg, [&] {
            QVERIFY(!Button(&dlg, QStringLiteral("Cancel")));
            auto* list = dlg.findChild<QListWidget*>();
            QCOMPARE(list->currentRow(), 0);
            Click(&dlg, QStringLiteral("Up")); // first item: nothing
            Click(&dlg, QStringLiteral("Dn"));
            Click(&dlg, QStringLiteral("Dn"));
            QCOMPARE(list->currentRow(), 2);
            list->setCurrentRow(4);
            Click(&dlg, QStringLiteral("Dn")); // last item: nothing
            Click(&dlg, QStringLiteral("Up"));
            QCOMPARE(rig.Names(), QStringLiteral("b c a e d"));
            QCOMPARE(list->currentRow(), 3);

            QWidget* vp = list->viewport();
            Drag(vp, ItemCentre(*list, 1), QPoint(5, vp->height() - 2)); // below the last
            QCOMPARE(rig.Names(), QStringLiteral("b c a e d"));
            Drag(vp, ItemCentre(*list, 0), ItemCentre(*list, 3));
            QCOMPARE(rig.Names(), QStringLiteral("c a e b d"));
            QCOMPARE(list->item(3)->text(), QStringLiteral("b"));
            QCOMPARE(list->currentRow(), 3);
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(dlg.Execute(*rig.Project));

        // A drag that ends on the dragged item itself is no move, so none is
        // reported (it goes sideways, past the drag distance, within the item).
        WhenOpen(dlg, [&] {
            auto* list = dlg.findChild<QListWidget*>();
            Drag(list->viewport(), ItemCentre(*list, 2), ItemCentre(*list, 2) + QPoint(30, 0));
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(!dlg.Execute(*rig.Project));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
