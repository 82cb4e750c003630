// A TFont as Qt shows it, by each of the three size rules: the grid's pixels
// at 96 per inch, a text pane's points, a sample's base size.
#include "ui/qt_canvas.h"

#include <QtTest>

Q_DECLARE_METATYPE(qt_bridge::TFontSizeRule)

class TestFonts : public QObject {
    Q_OBJECT
  private slots:
    void sizeFaceAndStyle_data() {
        using R = qt_bridge::TFontSizeRule;
        QTest::addColumn<R>("rule");
        QTest::addColumn<QString>("face");
        QTest::addColumn<int>("size");
        QTest::addColumn<int>("style");
        QTest::addColumn<int>("pixels"); // -1: the size is in points
        QTest::addColumn<int>("points"); // -1: the size is in pixels
        QTest::addColumn<bool>("sizeSet");
        QTest::addColumn<QStringList>("families");
        const QString mono = QStringLiteral("Noto Sans Mono CJK JP");
        const QString sans = QStringLiteral("Noto Sans CJK JP");
        const QString gothic = QStringLiteral("ＭＳ ゴシック");
        const QString none = QStringLiteral("No Such Face");
        // clang-format off
        QTest::newRow("grid: 11 points are 15 pixels")      << R::Pixels96 << gothic << 11  << int(fsBold)      << 15 << -1 << true  << QStringList{mono, sans};
        QTest::newRow("grid: size 0 is 9 points")           << R::Pixels96 << gothic << 0   << 0                << 12 << -1 << true  << QStringList{mono, sans};
        QTest::newRow("grid: a negative size counts")       << R::Pixels96 << gothic << -20 << int(fsItalic)    << 27 << -1 << true  << QStringList{mono, sans};
        QTest::newRow("grid: the CJK face once")            << R::Pixels96 << none   << 9   << int(fsUnderline) << 12 << -1 << true  << QStringList{sans};
        QTest::newRow("pane: points as chosen")             << R::Points   << gothic << 14  << int(fsStrikeOut) << -1 << 14 << true  << QStringList{mono};
        QTest::newRow("pane: size 0 left to the widget")    << R::Points   << none   << 0   << int(fsBold)      << -1 << 12 << false << QStringList{sans};
        QTest::newRow("sample: the base font's size")       << R::BaseSize << gothic << 30  << int(fsBold | fsItalic) << -1 << 20 << true << QStringList{mono};
        // clang-format on
    }
    void sizeFaceAndStyle() {
        QFETCH(qt_bridge::TFontSizeRule, rule);
        QFETCH(QString, face);
        QFETCH(int, size);
        QFETCH(int, style);
        QFETCH(int, pixels);
        QFETCH(int, points);
        QFETCH(bool, sizeSet);
        QFETCH(QStringList, families);
        TFont f;
        f.Name = qt_bridge::ToBytes(face);
        f.Size = size;
        f.Style = std::uint8_t(style);
        QFont base;
        base.setPointSize(20);
        const QFont q = qt_bridge::ToQFont(f, rule, base);
        QCOMPARE(q.pixelSize(), pixels);
        QCOMPARE(q.pointSize(), points);
        QCOMPARE(bool(q.resolveMask() & QFont::SizeResolved), sizeSet);
        QCOMPARE(q.families(), families);
        QCOMPARE(q.bold(), bool(style & fsBold));
        QCOMPARE(q.italic(), bool(style & fsItalic));
        QCOMPARE(q.underline(), bool(style & fsUnderline));
        QCOMPARE(q.strikeOut(), bool(style & fsStrikeOut));
    }

    // The grid's rule is the one-argument form the grid widget uses.
    void gridRuleIsTheDefault() {
        TFont f;
        f.Size = 11;
        QCOMPARE(qt_bridge::ToQFont(f), qt_bridge::ToQFont(f, qt_bridge::TFontSizeRule::Pixels96));
    }
};

QTEST_MAIN(TestFonts)
#include "tst_fonts.moc"
