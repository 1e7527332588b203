#pragma once

#include <QString>
#include <exception>

// A failure as the user sees it: a classic error number and its description.
// Messages show it as "number description" (see text()).
struct Error
{
    int number = 0;
    QString description;

    // The one place where "number description" is composed.
    QString text() const { return QString::number(number) + QLatin1Char(' ') + description; }
};

// The classic error numbers used in messages.
namespace ErrorNumber {
constexpr int InvalidArgument = 5;
constexpr int Overflow = 6;
constexpr int SubscriptOutOfRange = 9;
constexpr int DivisionByZero = 11;
constexpr int TypeMismatch = 13;
constexpr int FileNotFound = 53;
constexpr int InputPastEnd = 62;
constexpr int PermissionDenied = 70;
constexpr int PathFileAccess = 75;
constexpr int PathNotFound = 76;
} // namespace ErrorNumber

// Raised inside lotmark_core where an operation "fails to its caller"; the operation that
// catches its own failures turns it into a message. Never crosses a library boundary.
class Failure : public std::exception
{
public:
    explicit Failure(Error error) : m_error(std::move(error)) {}
    Failure(int number, const QString& description) : m_error{number, description} {}

    const Error& error() const { return m_error; }
    const char* what() const noexcept override { return "Lotmark failure"; }

    static Failure invalidArgument()
    {
        return Failure(ErrorNumber::InvalidArgument, QStringLiteral("Invalid procedure call or argument"));
    }
    static Failure overflow() { return Failure(ErrorNumber::Overflow, QStringLiteral("Overflow")); }
    static Failure subscriptOutOfRange()
    {
        return Failure(ErrorNumber::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    }
    static Failure divisionByZero() { return Failure(ErrorNumber::DivisionByZero, QStringLiteral("Division by zero")); }
    static Failure typeMismatch() { return Failure(ErrorNumber::TypeMismatch, QStringLiteral("Type mismatch")); }
    static Failure inputPastEnd()
    {
        return Failure(ErrorNumber::InputPastEnd, QStringLiteral("Input past end of file"));
    }

private:
    Error m_error;
};
