// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/shared.h"

namespace shared {

void reset()
{
    soundflag.clear();
    tasktitle.clear();
    for (auto *a : {&question, &answera, &answerb, &answerc, &answerd, &correct})
        a->fill(QString());
    questnum.clear();
    mark.fill(Var());
    score.clear();
    total.clear();
    certheading.clear();
    pageset.clear();
    pagecount.clear();
    pagenum.clear();
    jupiterframe.clear();
    logoframe.clear();
    worksheetcount.clear();
    worksheetname.fill(QString());
    currentworksheet.clear();
    catalogpage.clear();
}

}  // namespace shared
