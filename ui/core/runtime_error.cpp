// SPDX-FileCopyrightText: 2026 Kalvoster developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_error.h"

namespace kv {

RuntimeError::RuntimeError(int number)
    : std::runtime_error("Laufzeitfehler " + std::to_string(number) + ": " + describe(number))
    , number_(number)
    , description_(describe(number))
{
}

std::string RuntimeError::describe(int number)
{
    switch (number) {
    case InvalidCall:
        return "Ungültiger Prozeduraufruf oder ungültiges Argument";
    case Overflow:
        return "Überlauf";
    case OutOfMemory:
        return "Nicht genügend Speicher";
    case SubscriptOutOfRange:
        return "Index außerhalb des gültigen Bereichs";
    default:
        return "Anwendungs- oder objektdefinierter Fehler";
    }
}

} // namespace kv
