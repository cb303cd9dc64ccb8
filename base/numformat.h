// numformat.h - the C library's "%.*e", "%.*f" and "%.*g" of a double, made quickly
// for the common cases.
#ifndef QEV_NUMFORMAT_H
#define QEV_NUMFORMAT_H

// Writes 'x' as printf would with the given conversion ('e', 'f' or 'g') and precision
// into 'out' (at least 64 bytes), NUL-terminated, and returns its length; returns -1
// when the number is not one of the quick cases (the caller then asks printf).
int quickformat(double x, char conversion, int precision, char *out);

#endif
