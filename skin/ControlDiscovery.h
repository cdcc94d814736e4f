#pragma once
// Control discovery: which control of a skinned window gets which binding. In order: the component's
// DisableTag (a tagged radio or check group passes it to its items), a binding the control has
// already, the class map (exact class name, kind "nil" = known and left alone), then the tests of the
// control's class, each gated by the component's SkinControls.
#include <QString>
#include <QStringList>

#include <optional>

class QWidget;
class TWndSkinForm;

// Binds every control of the skinned window, all levels, leaving other windows alone.
void DiscoverControls(TWndSkinForm& skinner);
// Binds one control shown after its window's controls were found (pages and lists made at run time).
void DiscoverLateControl(QWidget& control);

// The kind the class map gives a class: the rest (lower case, at most 50 characters) of the first line
// that begins, in any case, with the class name and "="; nothing when no line names the class.
std::optional<QString> ClassMapKind(const QStringList& map, const QString& className);

// The map a new skin component holds: the lines that name this system's own classes.
QStringList BuiltInClassMap();
