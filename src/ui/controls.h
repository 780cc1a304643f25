#pragma once
// Small factories for the controls every window lays out in twips, in the
// program's look (Verdana buttons, filled shapes, plain labels).

#include <QColor>
#include <QFont>
#include <QString>

class QWidget;
class QPushButton;
class QLabel;
class QCheckBox;
class QListWidget;

namespace controls {

/// Verdana (substituted where missing) at a point size.
QFont verdana(double points, bool bold = false);
/// MS Sans Serif (substituted where missing) at a point size.
QFont msSansSerif(double points, bool bold = false);
/// Buttons: Verdana 9.75 pt bold.
QPushButton *button(QWidget *parent, const QString &text, int l, int t, int w, int h);
QLabel *label(QWidget *parent, const QString &text, int l, int t, int w, int h,
              const QFont &font = verdana(9.75, true));
/// A filled rectangle (head bands, bars).
QWidget *shape(QWidget *parent, const QColor &fill, int l, int t, int w, int h);
QCheckBox *checkBox(QWidget *parent, const QString &text, int l, int t, int w, int h);
QListWidget *list(QWidget *parent, int l, int t, int w, int h);
/// Sets a widget's background (and optionally text) colour.
void colourise(QWidget *w, const QColor &background, const QColor &text = QColor());

} // namespace controls

/// Gives a control the name of the member that holds it ("Command1"): the
/// windows keep their controls private, and tests and accessibility tools
/// find each one by that name.
#define KALIMBO_NAME(control) (control)->setObjectName(QStringLiteral(#control))
