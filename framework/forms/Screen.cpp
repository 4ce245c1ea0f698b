#include "framework/forms/Screen.h"

#include <QCursor>
#include <QGuiApplication>

namespace {
TScreen screenObject(nullptr);

Qt::CursorShape ShapeOf(TCursor cursor) {
  switch (cursor) {
    case crNone: return Qt::BlankCursor;
    case crCross: return Qt::CrossCursor;
    case crIBeam: return Qt::IBeamCursor;
    case crSizeNESW: return Qt::SizeBDiagCursor;
    case crSizeNS: return Qt::SizeVerCursor;
    case crSizeNWSE: return Qt::SizeFDiagCursor;
    case crSizeWE: return Qt::SizeHorCursor;
    case crUpArrow: return Qt::UpArrowCursor;
    case crHourGlass:
    case crSQLWait: return Qt::WaitCursor;
    case crDrag: return Qt::DragMoveCursor;
    case crNoDrop:
    case crNo: return Qt::ForbiddenCursor;
    case crHSplit: return Qt::SplitHCursor;
    case crVSplit: return Qt::SplitVCursor;
    case crMultiDrag: return Qt::DragCopyCursor;
    case crAppStart: return Qt::BusyCursor;
    case crHelp: return Qt::WhatsThisCursor;
    case crHandPoint: return Qt::PointingHandCursor;
    case crSizeAll: return Qt::SizeAllCursor;
    default: return Qt::ArrowCursor;
  }
}
}  // namespace

TScreen* Screen = &screenObject;

TScreen::TScreen(TComponent* owner) : TComponent(owner) {}

TScreen::~TScreen() {
  if (overriding_ && qGuiApp != nullptr) QGuiApplication::restoreOverrideCursor();
}

void TScreen::SetCursor(TCursor cursor) {
  cursor_ = cursor;
  // Without a GUI application (start-up, console tools) only the value is kept.
  if (qGuiApp == nullptr) return;
  if (cursor == crDefault) {
    if (overriding_) QGuiApplication::restoreOverrideCursor();
    overriding_ = false;
  } else if (overriding_) {
    QGuiApplication::changeOverrideCursor(QCursor(ShapeOf(cursor)));
  } else {
    QGuiApplication::setOverrideCursor(QCursor(ShapeOf(cursor)));
    overriding_ = true;
  }
}
