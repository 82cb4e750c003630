// The three dialogs driven as a user drives them, offscreen: keys and clicks
// on the real controls, every file choice and message answered by a fake port,
// the colour and font dialogs answered as they open.
#include "app/fake_user_port.h"
#include "grid/lap_grid.h"
#include "model/headless.h"
#include "model/laptime_project.h"
#include "model/sheet_settings_file.h"
#include "ui/app_settings_dialog.h"
#include "ui/color_box.h"
#include "ui/qt_canvas.h"
#include "ui/settings_widgets.h"
#include "ui/sheet_selector.h"
#include "ui/sheet_settings_dialog.h"
#include "ui/sheet_sort_dialog.h"

#include <QApplication>
#include <QColorDialog>
#include <QDesktopServices>
#include <QFile>
#include <QFontDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <type_traits>

namespace {

// What the port was told, as one list.
QStringList Told(const std::vector<std::string>& Texts) {
    QStringList out;
    for (const std::string& t : Texts)
        out << QString::fromStdString(t);
    return out;
}

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

// Typing, one key per character; keyClicks takes Latin-1 only.
void Type(QWidget* W, const QString& Text) {
    for (QChar c : Text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
        QApplication::sendEvent(W, &press);
    }
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
    QWidget* dialog = Control->window();
    auto* tabs = dialog->findChild<QTabWidget*>();
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

template <typename Record> struct FieldCase {
    std::string Control;
    std::function<std::int64_t(Record&)> Get;
    std::function<void(Record&, std::int64_t)> Set;
};

template <typename Record, typename Access>
FieldCase<Record> Field(std::string Control, Access Get) {
    return {Control, [Get](Record& r) { return std::int64_t(std::invoke(Get, r)); },
            [Get](Record& r, std::int64_t v) {
                auto& f = std::invoke(Get, r);
                f = std::remove_reference_t<decltype(f)>(v);
            }};
}

// The control of column I's entry in a per-column array.
template <typename T>
FieldCase<TLaptimeSheet> ColumnField(const char* Name, int I,
                                     std::array<T, SheetColumnCount> TLaptimeSheet::*Array) {
    const auto u = std::size_t(I);
    return Field<TLaptimeSheet>(Name + std::to_string(I),
                                [Array, u](TLaptimeSheet& s) -> T& { return (s.*Array)[u]; });
}

// Each control, changed by the user, changes its own field and no other.
template <typename Record, typename Dialog>
void CheckEveryControlWritesItsField(Dialog& D, const std::vector<FieldCase<Record>>& Cases) {
    for (const FieldCase<Record>& c : Cases) {
        const char* name = c.Control.c_str();
        auto* w = D.template findChild<QWidget*>(QString::fromLatin1(name));
        QVERIFY2(w, name);
        Record before = D.Work();
        const std::int64_t shown = ChangeAsUser(w);
        QVERIFY2(c.Get(before) != shown, name);
        Record expected = before;
        c.Set(expected, shown);
        QVERIFY2(D.Work() == expected, name);
    }
}

void WriteFile(const QString& Path, const std::string& Bytes) {
    QFile f(Path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(Bytes.data(), qint64(Bytes.size()));
}

// A project of sheets named Names, shown in a grid with a real selector.
struct SortRig {
    TLapGrid Grid;
    QComboBox Box;
    TComboSelector Selector{&Box};
    THeadlessHost H;
    std::unique_ptr<TLaptimeProject> Project;

    explicit SortRig(const QStringList& Names) {
        Grid.SetColCount(5);
        std::vector<TLaptimeSheet> sheets;
        for (const QString& n : Names) {
            TLaptimeSheet s = DefaultSheetSettings();
            s.Name.assign(n.toStdString());
            sheets.push_back(s);
        }
        Project = TLaptimeProject::CreateFromSheets(sheets, "", Grid, Selector, H);
    }
    QStringList Names() const {
        QStringList out;
        for (const TLaptimeSheet& s : Project->Sheets)
            out << QString::fromStdString(s.Name.str());
        return out;
    }
};

QStringList Split(const char* Names) {
    return QString::fromLatin1(Names).split(QLatin1Char(' '));
}

QStringList Items(const QListWidget& List) {
    QStringList out;
    for (int i = 0; i < List.count(); ++i)
        out << List.item(i)->text();
    return out;
}

void DragItem(QListWidget& List, int From, int ToRow, QPoint ToPoint = {}) {
    QWidget* vp = List.viewport();
    const QPoint from = List.visualItemRect(List.item(From)).center();
    const QPoint to = ToRow >= 0 ? List.visualItemRect(List.item(ToRow)).center() : ToPoint;
    QTest::mousePress(vp, Qt::LeftButton, Qt::NoModifier, from);
    QMouseEvent move(QEvent::MouseMove, to, vp->mapToGlobal(to), Qt::NoButton, Qt::LeftButton,
                     Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    QTest::mouseRelease(vp, Qt::LeftButton, Qt::NoModifier, to);
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
    QString Path(const char* Name) const { return FDir.filePath(QString::fromLatin1(Name)); }

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
            for (int i = 0; i < SheetColumnCount; ++i) {
                cases.push_back(ColumnField("ColVisible", i, &TLaptimeSheet::ColVisible));
                cases.push_back(ColumnField("ColWidth", i, &TLaptimeSheet::ColWidth));
                cases.push_back(ColumnField("ColHorzAlign", i, &TLaptimeSheet::ColHorzAlign));
                cases.push_back(ColumnField("ColVertAlign", i, &TLaptimeSheet::ColVertAlign));
            }
            CheckEveryControlWritesItsField(dlg, cases);
            Click(&dlg, QStringLiteral("OK"));
        });
        const TLaptimeSheet before = settings;
        QVERIFY(dlg.Execute(TForm2::mdDefaults, settings, before));
        QCOMPARE(settings.ColWidth[4], 42);
        QCOMPARE(settings.RowCount, 42);
    }

    void sheetSettingsModes_data() {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("fileButtons");
        QTest::newRow("defaults") << 0 << QStringLiteral("Default Sheet Settings") << true;
        QTest::newRow("sheet") << 1 << QStringLiteral("Stage 1 Settings  ") << false;
    }
    void sheetSettingsModes() {
        QFETCH(int, mode);
        QFETCH(QString, caption);
        QFETCH(bool, fileButtons);
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        settings.Name.assign("Stage 1");
        settings.Texts[0] = "kept\r\n";
        const TLaptimeSheet before = settings;
        WhenOpen(dlg, [&] {
            QCOMPARE(dlg.windowTitle(), caption);
            QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
            for (const char* b : {"Load", "Save"}) {
                QCOMPARE(Button(&dlg, QString::fromLatin1(b))->isVisible(), fileButtons);
                QCOMPARE(Button(&dlg, QString::fromLatin1(b))->isEnabled(), fileButtons);
            }
            QCOMPARE(dlg.findChild<QWidget*>(QStringLiteral("RowCount"))->isEnabled(), fileButtons);
            ChangeAsUser(dlg.findChild<QWidget*>(QStringLiteral("BoxColor")));
            Click(&dlg, QStringLiteral("Cancl"));
        });
        QVERIFY(!dlg.Execute(mode, settings, before));
        QCOMPARE(settings, before);

        // OK takes the change and leaves the texts alone.
        WhenOpen(dlg, [&] {
            ChangeAsUser(dlg.findChild<QWidget*>(QStringLiteral("BoxColor")));
            QTest::keyClick(&dlg, Qt::Key_Return);
        });
        QVERIFY(dlg.Execute(mode, settings, before));
        QVERIFY(settings.BoxColor != before.BoxColor);
        QCOMPARE(settings.Texts[0], before.Texts[0]);
    }

    void sheetSettingsShowGridEnablesItsControls() {
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        settings.ShowGrid = 0;
        WhenOpen(dlg, [&] {
            QList<QWidget*> controls{dlg.findChild<QWidget*>(QStringLiteral("GridStyle")),
                                     dlg.findChild<QWidget*>(QStringLiteral("GridColor"))};
            for (auto* label : dlg.findChildren<QLabel*>())
                if (controls.contains(label->buddy())) controls << label;
            QCOMPARE(controls.size(), 4);
            auto* show = dlg.findChild<QCheckBox*>(QStringLiteral("ShowGrid"));
            for (bool on : {false, true, false}) {
                for (QWidget* w : controls)
                    QCOMPARE(w->isEnabled(), on);
                QCOMPARE(dlg.Work().ShowGrid, on);
                Tick(show);
            }
        });
        dlg.Execute(TForm2::mdDefaults, settings, settings);
    }

    // Values beyond an edit's arrows show limited and come back unchanged
    // unless the user edits them; typing goes past the arrows.
    void sheetSettingsNumberEdits() {
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        settings.DefRowHeight = 150;
        settings.ColWidth[0] = 0;
        settings.ColWidth[1] = 2000;
        WhenOpen(dlg, [&] {
            auto* height = dlg.findChild<TNumberEdit*>(QStringLiteral("DefRowHeight"));
            QCOMPARE(height->value(), 100);
            QCOMPARE(height->alignment(), Qt::AlignRight);
            QCOMPARE(dlg.findChild<TNumberEdit*>(QStringLiteral("ColWidth0"))->value(), 5);
            QCOMPARE(dlg.findChild<TNumberEdit*>(QStringLiteral("ColWidth1"))->value(), 999);
            QTest::keyClick(height, Qt::Key_Up);
            QCOMPARE(height->value(), 100);
            QCOMPARE(dlg.Work().DefRowHeight, 150);
            height->selectAll();
            QTest::keyClicks(height, QStringLiteral("9x99-"));
            QCOMPARE(dlg.Work().DefRowHeight, 999);
            QTest::keyClick(height, Qt::Key_Down);
            QCOMPARE(dlg.Work().DefRowHeight, 100);
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(dlg.Execute(TForm2::mdSheet, settings, settings));
        QCOMPARE(settings.DefRowHeight, 100);
        QCOMPARE(settings.ColWidth[0], 0);
        QCOMPARE(settings.ColWidth[1], 2000);
    }

    // "Custom..." opens the colour dialog; a file's default marker shows as
    // the default entry and stays unless another colour is picked; ".."
    // opens the font dialog on the cell font.
    void sheetSettingsColourAndFontDialogs() {
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        settings.MinusColor = TColorBox::DefaultMarker;
        settings.PlusColor = 0x123456;
        WhenOpen(dlg, [&] {
            auto* minus = dlg.findChild<TColorBox*>(QStringLiteral("MinusColor"));
            auto* plus = dlg.findChild<TColorBox*>(QStringLiteral("PlusColor"));
            QCOMPARE(minus->currentText(), QStringLiteral("Default"));
            QCOMPARE(plus->currentText(), QStringLiteral("Custom..."));
            QCOMPARE(plus->view()->minimumWidth(), 180);
            ShowPageOf(plus);
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

            auto* label = dlg.findChild<QLabel*>(QStringLiteral("FontName"));
            QCOMPARE(label->text(), QStringLiteral("ＭＳ ゴシック"));
            QCOMPARE(label->font().family(), QStringLiteral("Noto Sans Mono CJK JP"));
            PickBoldFont(label, 14, 11);
            QCOMPARE(dlg.Work().FontName.str(), std::string("Noto Sans CJK JP"));
            QCOMPARE(dlg.Work().FontSize, 14);
            QCOMPARE(dlg.Work().FontStyle, fsBold);
            QCOMPARE(label->text(), QStringLiteral("Noto Sans CJK JP"));
            QVERIFY(label->font().bold());
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(dlg.Execute(TForm2::mdDefaults, settings, settings));
        QCOMPARE(settings.PlusColor, 0x123456u);
    }

    void sheetSettingsLoad_data() {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<bool>("taken");
        TLaptimeSheet saved = DefaultSheetSettings();
        saved.PlusColor = 0x00ABCDEF;
        saved.RowCount = 7;
        const std::string good = WriteSheetSettingsFile(saved);
        std::string wrongStamp = good;
        wrongStamp[0] = 99;
        const QString incompatible =
            QStringLiteral("Cnfm: ") + QString::fromLatin1(IncompatibleSettingsMessage);
        QTest::newRow("valid") << QByteArray::fromStdString(good)
                               << QStringList{QStringLiteral("Cnfm: Loaded sheet settings file.  ")}
                               << true;
        QTest::newRow("short") << QByteArray::fromStdString(good.substr(0, 635))
                               << QStringList{incompatible} << false;
        QTest::newRow("wrong stamp")
            << QByteArray::fromStdString(wrongStamp) << QStringList{incompatible} << false;
    }
    void sheetSettingsLoad() {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, messages);
        QFETCH(bool, taken);
        FakeUserPort port;
        port.FileName = Path("load.dsf").toStdString();
        WriteFile(Path("load.dsf"), file.toStdString());
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        WhenOpen(dlg, [&] {
            Click(&dlg, QStringLiteral("Load"));
            QCOMPARE(Told(port.Messages), messages);
            QVERIFY(port.Errors.empty());
            QCOMPARE(port.Dialogs.at(0), file_dialogs::OpenSheetSettings());
            const auto* plus = dlg.findChild<TColorBox*>(QStringLiteral("PlusColor"));
            const auto* rows = dlg.findChild<TNumberEdit*>(QStringLiteral("RowCount"));
            QCOMPARE(plus->Color(), taken ? 0x00ABCDEFu : settings.PlusColor);
            QCOMPARE(rows->value(), taken ? 7 : settings.RowCount);
            QCOMPARE(dlg.Work().PlusColor, plus->Color());
        });
        dlg.Execute(TForm2::mdDefaults, settings, settings);
    }

    // Save writes the defaults as they stood when the dialog opened, so that
    // Load brings them back; a file that cannot be read or written is named
    // once and changes nothing.
    void sheetSettingsSaveLoadAndFileErrors() {
        FakeUserPort port;
        TForm2 dlg(nullptr, port);
        TLaptimeSheet settings = DefaultSheetSettings();
        const TLaptimeSheet stored = settings;
        WhenOpen(dlg, [&] {
            auto* plus = dlg.findChild<QWidget*>(QStringLiteral("PlusColor"));
            ChangeAsUser(plus);
            const TLaptimeSheet changed = dlg.Work();
            port.FileName = Path("round.dsf").toStdString();
            Click(&dlg, QStringLiteral("Save"));
            QCOMPARE(port.Dialogs.at(0), file_dialogs::SaveSheetSettings());
            QVERIFY(port.Messages.empty());

            const std::string missing = Path("none/x.dsf").toStdString();
            port.FileName = missing;
            Click(&dlg, QStringLiteral("Save"));
            Click(&dlg, QStringLiteral("Load"));
            QCOMPARE(port.Errors.size(), std::size_t(2));
            for (const std::string& e : port.Errors)
                QVERIFY(e.find(missing) != std::string::npos);
            QVERIFY(port.Messages.empty());
            QCOMPARE(dlg.Work(), changed);

            port.FileName.clear(); // dismissed
            Click(&dlg, QStringLiteral("Load"));
            QCOMPARE(dlg.Work(), changed);

            port.FileName = Path("round.dsf").toStdString();
            Click(&dlg, QStringLiteral("Load"));
            QCOMPARE(dlg.Work().PlusColor, stored.PlusColor);
            QCOMPARE(port.Messages.size(), std::size_t(1));
        });
        dlg.Execute(TForm2::mdDefaults, settings, stored);
    }

    // ---- application settings ----

    void appSettingsEveryControlWritesItsField() {
        TForm3 dlg(nullptr);
        TLapEnv env;
        WhenOpen(dlg, [&] {
            QCOMPARE(dlg.windowTitle(), QStringLiteral("CNFG"));
            CheckEveryControlWritesItsField<TLapEnv>(
                dlg, {Field<TLapEnv>("ReopenLast", &TLapEnv::ReopenLast),
                      Field<TLapEnv>("ScrollThreshold", &TLapEnv::ScrollThreshold),
                      Field<TLapEnv>("MaxUndoIndex", &TLapEnv::MaxUndoIndex),
                      Field<TLapEnv>("ConfirmRename", &TLapEnv::ConfirmRename),
                      Field<TLapEnv>("ConfirmManyRows", &TLapEnv::ConfirmManyRows),
                      Field<TLapEnv>("ColumnsResizable", &TLapEnv::ColumnsResizable),
                      Field<TLapEnv>("NotesFontColor", &TLapEnv::NotesFontColor)});
            // Header texts are cut to the 254 bytes their slot holds, never
            // inside a two-byte character.
            const QString texts[5] = {QString(255, QLatin1Char('x')),
                                      QStringLiteral("x") + QString(127, QChar(0x3042)),
                                      QStringLiteral("Now"), QStringLiteral("差"), QString()};
            for (int i = 0; i < 5; ++i) {
                auto* edit = dlg.findChild<QLineEdit*>(QStringLiteral("HeaderText%1").arg(i));
                ShowPageOf(edit);
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                Type(edit, texts[i]);
            }
            const auto& h = dlg.Work().HeaderTexts;
            QCOMPARE(h[0].str(), std::string(254, 'x'));
            QCOMPARE(h[1].str().size(), std::size_t(253));
            QCOMPARE(qt_bridge::FromBytes(h[1].str()), texts[1].left(127));
            QCOMPARE(h[2].str(), std::string("Now"));
            QCOMPARE(qt_bridge::FromBytes(h[3].str()), texts[3]);
            QCOMPARE(h[4].str(), std::string());
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(dlg.Execute(env));
        QCOMPARE(env.ScrollThreshold, 1);
        QCOMPARE(env.HeaderTexts[2].str(), std::string("Now"));
    }

    void appSettingsCancelKeepsEnvButRemembersPage() {
        TLapEnv env;
        const TLapEnv before = env;
        {
            TForm3 dlg(nullptr);
            WhenOpen(dlg, [&] {
                QCOMPARE(dlg.findChild<QTabWidget*>()->currentIndex(), TForm3::LastPage());
                auto* notes = dlg.findChild<QWidget*>(QStringLiteral("NotesColor"));
                ShowPageOf(notes);
                AnswerNext<QColorDialog>([](QColorDialog& d) {
                    d.setCurrentColor(QColor(10, 20, 30));
                    d.accept();
                });
                QTest::mouseClick(notes, Qt::LeftButton);
                QCOMPARE(dlg.Work().NotesColor, 0x1E140Au);
                QCOMPARE(notes->palette().color(QPalette::Window), QColor(10, 20, 30));
                ChangeAsUser(dlg.findChild<QWidget*>(QStringLiteral("ReopenLast")));
                ShowPageOf(dlg.findChild<QWidget*>(QStringLiteral("NotesFontButton")));
                Click(&dlg, QStringLiteral("Cancel"));
            });
            QVERIFY(!dlg.Execute(env));
            QCOMPARE(env, before);
        }
        QCOMPARE(TForm3::LastPage(), 2);
        TForm3 again(nullptr);
        WhenOpen(again, [&] {
            QCOMPARE(again.findChild<QTabWidget*>()->currentIndex(), 2);
            QVERIFY(!(again.windowFlags() & Qt::WindowCloseButtonHint));
        });
        again.Execute(env);
    }

    void appSettingsNotesFontAndSupportLink() {
        TForm3 dlg(nullptr);
        TLapEnv env;
        WhenOpen(dlg, [&] {
            auto* label = dlg.findChild<QLabel*>(QStringLiteral("NotesFontName"));
            QCOMPARE(label->text(), QStringLiteral("ＭＳ Ｐゴシック"));
            PickBoldFont(label, 16, 11);
            QCOMPARE(dlg.Work().NotesFontName.str(), std::string("Noto Sans CJK JP"));
            QCOMPARE(dlg.Work().NotesFontSize, 16);
            QCOMPARE(dlg.Work().NotesFontStyle, fsBold);
            QVERIFY(label->font().bold());

            auto* link = dlg.findChild<TLinkLabel*>(QStringLiteral("SupportLink"));
            ShowPageOf(link);
            const QColor normal = link->palette().color(QPalette::WindowText);
            QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), link->mapToGlobal(QPointF(2, 2)));
            QApplication::sendEvent(link, &enter);
            QCOMPARE(link->palette().color(QPalette::WindowText), QColor(0, 0, 255));
            QCOMPARE(link->cursor().shape(), Qt::PointingHandCursor);
            QEvent leave(QEvent::Leave);
            QApplication::sendEvent(link, &leave);
            QCOMPARE(link->palette().color(QPalette::WindowText), normal);
            QCOMPARE(link->cursor().shape(), Qt::ArrowCursor);
            QTest::mouseClick(link, Qt::LeftButton);
        });
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("https"), &catcher, "Open");
        dlg.Execute(env);
        QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
        QCOMPARE(catcher.Opened, QStringList{QString::fromLatin1(SupportAddress)});
    }

    // ---- sheet sort ----

    void sortByButtons() {
        SortRig rig(Split("a b c d e"));
        TForm4 dlg(nullptr);
        WhenOpen(dlg, [&] {
            QCOMPARE(dlg.windowTitle(), QStringLiteral("Sort Sht"));
            QVERIFY(!Button(&dlg, QStringLiteral("Cancel")));
            auto* list = dlg.findChild<QListWidget*>();
            QCOMPARE(list->currentRow(), 0);
            QCOMPARE(list->visualItemRect(list->item(1)).height(), 18);
            Click(&dlg, QStringLiteral("Up")); // first item: nothing
            Click(&dlg, QStringLiteral("Dn"));
            Click(&dlg, QStringLiteral("Dn"));
            QCOMPARE(list->currentRow(), 2);
            list->setCurrentRow(4);
            Click(&dlg, QStringLiteral("Dn")); // last item: nothing
            Click(&dlg, QStringLiteral("Up"));
            const QStringList order = Split("b c a e d");
            QCOMPARE(Items(*list), order);
            QCOMPARE(rig.Names(), order);
            QCOMPARE(list->currentRow(), 3);
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(dlg.Execute(*rig.Project));

        // OK without a move reports none; with one sheet the buttons do nothing.
        WhenOpen(dlg, [&] { Click(&dlg, QStringLiteral("OK")); });
        QVERIFY(!dlg.Execute(*rig.Project));
        SortRig one(Split("only"));
        WhenOpen(dlg, [&] {
            Click(&dlg, QStringLiteral("Up"));
            Click(&dlg, QStringLiteral("Dn"));
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(!dlg.Execute(*one.Project));
    }

    void sortByDragging() {
        SortRig rig(Split("0 1 2 3 4"));
        TForm4 dlg(nullptr);
        WhenOpen(dlg, [&] {
            auto* list = dlg.findChild<QListWidget*>();
            DragItem(*list, 2, 2);                                             // onto itself
            DragItem(*list, 1, -1, QPoint(5, list->viewport()->height() - 2)); // below the last
            QCOMPARE(rig.Names(), Split("0 1 2 3 4"));
            DragItem(*list, 0, 3);
            QCOMPARE(rig.Names(), Split("1 2 3 0 4"));
            QCOMPARE(Items(*list), rig.Names());
            QCOMPARE(list->currentRow(), 3);
            Click(&dlg, QStringLiteral("OK"));
        });
        QVERIFY(dlg.Execute(*rig.Project));
    }
};

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
