#pragma once

#include "ui/window_model.h"

#include <QColor>
#include <QPalette>
#include <QWidget>

namespace qf::ui {

/// Puts a control at its place in its container, given in twips.
inline void Place(QWidget* widget, const TwipsRect& rect) {
  widget->setGeometry(Px(rect.Left), Px(rect.Top), Px(rect.Width), Px(rect.Height));
}

/// Names a control of kPlaces and puts it where the table says.
inline void PlaceNamed(QWidget* widget, std::string_view name) {
  widget->setObjectName(QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())));
  Place(widget, PlaceOf(name));
}

inline QColor ToQColor(const Rgb& colour) {
  return QColor(colour.Red, colour.Green, colour.Blue);
}

/// Fills a control's background with `colour`.
inline void FillBackground(QWidget* widget, const Rgb& colour, QPalette::ColorRole role) {
  QPalette palette = widget->palette();
  palette.setColor(role, ToQColor(colour));
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

} // namespace qf::ui
