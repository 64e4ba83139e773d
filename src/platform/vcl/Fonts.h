#pragma once
// Fonts named by the window descriptions, on this desktop: the family itself when it is installed,
// else its closest Linux match (Verdana -> DejaVu Sans, Arial -> Liberation Sans or Nimbus Sans, ...).
// Heights are in pixels, as the class library gives them: the character height without leading.

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;

// The installed family that stands for a family of the design.
QString InstalledFamily(const QString &family);
QFont DesignFont(const QString &family, int pixelHeight, bool bold = false);
// The colour of a control's font (of a label's text).
void SetFontColor(QWidget *control, const QColor &color);
// Makes Qt use the same matches for fonts named in documents (rich text of the templates).
void InstallFontSubstitutes();
