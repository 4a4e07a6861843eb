#pragma once

#include "gridctl/THtmlSettings.h"

#include <QString>

class TGridControl;

// The grid as a complete HTML5 page that is also well-formed XML. Every cell text is escaped;
// columns of zero width (hidden ones) are left out.
QString GridToHtml(const TGridControl& grid, const THtmlSettings& settings);

// Writes GridToHtml as UTF-8 to path, atomically: on failure the file is left as it was and
// the returned text says which file and why. An empty text means success.
QString WriteGridHtml(const TGridControl& grid, const THtmlSettings& settings, const QString& path);
