#pragma once

#include "gridctl/THtmlSettings.h"

#include <QString>
#include <QStringList>
#include <vector>

class TGridControl;

// The page writer's page (model/HtmlPage.h) for texts of the toolkit. Needs no widget and no
// application.
QString TableToHtml(const QStringList& headers, const std::vector<QStringList>& rows,
                    const THtmlSettings& settings);

// The grid as TableToHtml's page: grid row 0 gives the head, the other rows the body; columns
// of zero width (hidden ones) are left out.
QString GridToHtml(const TGridControl& grid, const THtmlSettings& settings);

// Writes GridToHtml as UTF-8 to path, atomically: on failure the file is left as it was and
// the returned text says which file and why. An empty text means success.
QString WriteGridHtml(const TGridControl& grid, const THtmlSettings& settings, const QString& path);
