// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// An option button that answers a click anywhere on its row, not only on its round mark and its
// text: a pupil clicks the answer, wherever it stands.
#include <QRadioButton>

class OptionButton : public QRadioButton {
    Q_OBJECT
public:
    using QRadioButton::QRadioButton;

protected:
    bool hitButton(const QPoint &pos) const override { return rect().contains(pos); }
};
