// SPDX-License-Identifier: GPL-3.0-or-later
// Screen fitting on whatever display the test runs on (CTest runs it on 800 x 800, on exactly
// 800 x 600 = 12000 x 9000 twips, and on a smaller 640 x 480).
#include "ui/screens.h"
#include "shell/intro0.h"
#include "support/testenv.h"

#include <QScreen>
#include <QTest>

class TestFitting : public QObject {
    Q_OBJECT
private slots:
    void fitsTheMenu()
    {
        TestEnv env;
        intro0 *s = Screens::show<intro0>();
        const QRect display = s->screen()->geometry();
        QCOMPARE(s->size(), QSize(800, 600));
        QCOMPARE(s->caption(), QStringLiteral("Quillmoor"));
        // Centred in twips with no clamping: 0 on a display of exactly 12000 x 9000 twips,
        // negative on a smaller one.
        const double left = display.width() * 15.0 / 2 - 12000.0 / 2;
        const double top = display.height() * 15.0 / 2 - 9000.0 / 2;
        QCOMPARE(s->pos(), QPoint(qRound(left / 15), qRound(top / 15)));
        QVERIFY(!QGuiApplication::overrideCursor());
        // What the pupil sees: the window colour in a grab.
        QCOMPARE(s->grab().toImage().pixelColor(400, 380), QColor(39, 63, 137));
    }
};

QTEST_MAIN(TestFitting)
#include "tst_fitting.moc"
