// SPDX-License-Identifier: GPL-3.0-or-later
// The activities' rules as plain functions: which drops a box or slot catches, and scoring.
#include "activities/rules.h"

#include <QTest>

Q_DECLARE_METATYPE(TwipsRect)

namespace {
// A box like weatherord's first: 2085 by 375 twips at 7080, 4320.
const TwipsRect kBox{7080, 4320, 2085, 375};
TwipsRect at(float left, float top) { return {left, top, 2085, 375}; }
}  // namespace

class TestActivityRules : public QObject {
    Q_OBJECT
private slots:
    void catches_data()
    {
        QTest::addColumn<TwipsRect>("label");
        QTest::addColumn<bool>("caught");
        const float leftEdge = float(7080 - 2085 / 2.0), topEdge = float(4320 - 375 / 2.0);
        QTest::newRow("exactly in the box") << at(7080, 4320) << true;
        QTest::newRow("on the left edge (half a width left)") << at(leftEdge, 4320) << false;
        QTest::newRow("one twip inside the left edge") << at(leftEdge + 1, 4320) << true;
        QTest::newRow("on the right edge") << at(7080 + 2085, 4320) << false;
        QTest::newRow("one twip inside the right edge") << at(7080 + 2084, 4320) << true;
        QTest::newRow("on the top edge (half a height up)") << at(7080, topEdge) << false;
        QTest::newRow("one twip below the top edge") << at(7080, topEdge + 1) << true;
        QTest::newRow("top exactly on the bottom edge") << at(7080, 4320 + 375) << false;
        QTest::newRow("one twip above the bottom edge") << at(7080, 4320 + 374) << true;
        QTest::newRow("far away") << at(300, 300) << false;
        QTest::newRow("fractional, just inside the left edge") << at(leftEdge + 0.25f, 4320) << true;
    }
    void catches()
    {
        QFETCH(TwipsRect, label);
        QFETCH(bool, caught);
        QCOMPARE(rules::catches(kBox, label), caught);
    }

    void scoring_data()
    {
        QTest::addColumn<QList<int>>("boxOfLabel");  // -1: left away from every box
        QTest::addColumn<int>("placed");
        QTest::addColumn<int>("own");
        QTest::addColumn<int>("groups");  // groups of 4
        QTest::newRow("all right") << QList<int>{0, 1, 2, 3, 4, 5, 6, 7} << 8 << 8 << 8;
        QTest::newRow("any order inside the groups") << QList<int>{3, 2, 1, 0, 7, 6, 5, 4} << 8 << 0 << 8;
        QTest::newRow("groups swapped") << QList<int>{4, 5, 6, 7, 0, 1, 2, 3} << 8 << 0 << 0;
        QTest::newRow("two swapped across the groups") << QList<int>{4, 1, 2, 3, 0, 5, 6, 7} << 8 << 6 << 6;
        QTest::newRow("two labels on one box") << QList<int>{0, 0, 2, 3, 4, 5, 6, 7} << 8 << 7 << 8;
        QTest::newRow("one left out") << QList<int>{0, 1, 2, 3, 4, 5, 6, -1} << 7 << 7 << 7;
        QTest::newRow("none placed") << QList<int>{-1, -1, -1, -1, -1, -1, -1, -1} << 0 << 0 << 0;
    }
    void scoring()
    {
        QFETCH(QList<int>, boxOfLabel);
        QFETCH(int, placed);
        QFETCH(int, own);
        QFETCH(int, groups);
        std::vector<TwipsRect> boxes, labels;
        for (int i = 0; i < 8; ++i)
            boxes.push_back({float(1000 + 2500 * (i / 4)), float(1000 + 600 * (i % 4)), 2085, 375});
        for (int b : boxOfLabel)
            labels.push_back(b >= 0 ? boxes[std::size_t(b)] : TwipsRect{300, 300, 2085, 375});
        QCOMPARE(rules::placed(labels, boxes), placed);
        QCOMPARE(rules::ownBoxScore(labels, boxes), own);
        QCOMPARE(rules::groupScore(labels, boxes, 4), groups);
    }
};

QTEST_MAIN(TestActivityRules)
#include "tst_activityrules.moc"
