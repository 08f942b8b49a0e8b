#pragma once

#include "misc/TutorialDialog.h"

#include <QList>
#include <QString>

// The pages of the three tutorials. The pictures are screenshots of Ovra
// itself (tools/make_tutorial_pictures.sh); each text describes its picture.
namespace ovra::tutorials {

QString setupTitle();
QString uiTitle();
QString networkTitle();

QList<TutorialPage> setupPages();
QList<TutorialPage> uiPages();
// applicationDir is where the program lies; an "openapi" folder beside it,
// or else the installed ../share/ovra/openapi, is linked from the first page.
QList<TutorialPage> networkPages(const QString &applicationDir);

} // namespace ovra::tutorials
