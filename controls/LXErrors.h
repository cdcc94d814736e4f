#pragma once
// The control library's errors, each with its fixed text.
#include <QString>
#include <stdexcept>

class ELXException : public std::runtime_error {
public:
    explicit ELXException(const QString& text) : std::runtime_error(text.toStdString()) {}
};

// The duplicate-ident error keeps its placeholder unformatted.
class EListError : public ELXException {
public:
    EListError() : ELXException(QStringLiteral("List index out of bounds (%d)")) {}
};

class EOutOfResources : public ELXException {
public:
    using ELXException::ELXException;
};

// "<class name>: Invalid Owner or List".
class EInvalidOperation : public ELXException {
public:
    explicit EInvalidOperation(const QString& className)
        : ELXException(className + QStringLiteral(": Invalid Owner or List"))
    {
    }
};

class EInvalidPointer : public ELXException {
public:
    using ELXException::ELXException;
};

// Reading past the end of a stream, or data that does not hold together.
class EReadError : public ELXException {
public:
    EReadError() : ELXException(QStringLiteral("Stream read error")) {}
    // With why the file could not be read.
    explicit EReadError(const QString& why) : ELXException(QStringLiteral("Stream read error: ") + why) {}
};

class EWriteError : public ELXException {
public:
    EWriteError() : ELXException(QStringLiteral("Stream write error")) {}
};

// A component of which a form or the program may hold only one. Mode 0: a second one on a form
// (or no form as owner); mode 1: a second one in the program.
class LXEOneInstError : public ELXException {
public:
    LXEOneInstError(const QString& componentName, int mode);
};
