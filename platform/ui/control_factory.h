#pragma once
// Turns a dialog template into Qt widgets.

#include <QWidget>

#include "platform/ui/control_set.h"
#include "platform/ui/dialog_template.h"
#include "platform/ui/dialog_units.h"

namespace pscfg::ui {

// Creates the controls of `dialog` as children of `parent`, in template order
// (which is the focus order), placed by `units`, and adds them to `controls`.
// Every control takes its template rectangle, except: a combo box keeps its
// width but is as tall as its closed field (the template height includes the
// drop-down list); a bitmap takes the size of its registered picture (the
// built-in picture is drawn at the template size); an icon is 32 x 32.
// Alignment of a list view column's texts.
Qt::Alignment ColumnAlignment(ColumnAlign align);

void BuildControls(QWidget* parent, const DialogTemplate& dialog, DialogBaseUnits units,
                   ControlSet* controls);

}  // namespace pscfg::ui
