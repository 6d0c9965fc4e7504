#pragma once

#include <QImage>
#include <QString>

namespace manualgen {

// Schematic pictures of the program's pages, drawn for the manual so that it never depends on a
// test run having left screenshots behind. Known names: market, detail, mytools, settings.
// bChinese picks the captions' language. An unknown name gives a null image.
QImage drawFigure(const QString &strName, bool bChinese);

} // namespace manualgen
