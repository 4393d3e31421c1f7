#pragma once
class QWidget;

namespace lenscout {

// A dialog the main window owns: it stays above that window and blocks only
// it, so that the tray icon still answers while the dialog is up. Without
// an owner it blocks the whole program.
void makeWindowModal(QWidget* dialog, QWidget* owner);

}  // namespace lenscout
