#include "keypad_keys.h"

#include "resource.h"

const KeypadKey kKeypadKeys[kKeypadKeyCount] = {
    {IDC_KEY_SIN, "sin("},      {IDC_KEY_ARCSIN, "arcsin("},
    {IDC_KEY_SINH, "sinh("},    {IDC_KEY_ARSINH, "arsinh("},
    {IDC_KEY_COS, "cos("},      {IDC_KEY_ARCCOS, "arccos("},
    {IDC_KEY_COSH, "cosh("},    {IDC_KEY_ARCOSH, "arcosh("},
    {IDC_KEY_TAN, "tan("},      {IDC_KEY_ARCTAN, "arctan("},
    {IDC_KEY_TANH, "tanh("},    {IDC_KEY_ARTANH, "artanh("},
    {IDC_KEY_EXP, "exp("},      {IDC_KEY_LN, "ln("},
    {IDC_KEY_INT, "int("},      {IDC_KEY_ABS, "abs("},
    {IDC_KEY_TEN_POWER, "10^"}, {IDC_KEY_LOG, "log("},
    {IDC_KEY_RAD, "rad("},      {IDC_KEY_DEG, "deg("},
    {IDC_KEY_SQUARE, "^2"},     {IDC_KEY_SQR, "sqr("},
    {IDC_KEY_X, "x"},           {IDC_KEY_OPEN_PAREN, "("},
    {IDC_KEY_CLOSE_PAREN, ")"}, {IDC_KEY_DIVIDE, "/"},
    {IDC_KEY_MULTIPLY, "*"},    {IDC_KEY_LENGTH, "B"},
    {IDC_KEY_EMERALD, "F"},     {IDC_KEY_MINUS, "-"},
    {IDC_KEY_PLUS, "+"},        {IDC_KEY_POINT, "."},
    {IDC_KEY_POWER, "^"},
};

const char* KeypadText(int nID) {
    for (const KeypadKey& key : kKeypadKeys)
        if (key.nID == nID) return key.pszText;
    return nullptr;
}
