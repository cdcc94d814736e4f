#include "controls/LXObjects.h"

#include <QVariant>

void TLXObject::Assign(const TLXObject&) {}

void TLXObject::EndUpdate(bool notify)
{
    locked_ = false;
    if (notify)
        Changed();
}

void TLXObject::Changed()
{
    if (!locked_ && OnChange)
        OnChange(this);
}

void TLXObject::SubObjectChanged(TLXObject*)
{
    Changed();
}

TLXCustomComponent::TLXCustomComponent(QObject* owner) : QObject(owner) {}

int TLXCustomComponent::Tag() const
{
    return property("Tag").toInt();
}

void TLXCustomComponent::SetTag(int tag)
{
    setProperty("Tag", tag);
}

void TLXCustomComponent::EndUpdate(bool notify)
{
    locked_ = false;
    if (notify)
        Changed();
}

void TLXCustomComponent::Changed()
{
    if (!locked_ && OnChange)
        OnChange(this);
}

void TLXCustomComponent::SubObjectChanged(QObject*)
{
    Changed();
}
