// scanner.h - turning formula text into the node list at 'S'.
#ifndef QEV_SCANNER_H
#define QEV_SCANNER_H

// How an evaluator prepares its text; 'handlestr' and its unit-command variants differ here.
struct scanrules {
    bool quotes;         // double quotes at either end become blanks
    const char *pm;      // the word that the plus-minus sign (0xB1) becomes
    bool comma;          // "," is spaced out as the word "c,"
    bool signafterE;     // a sign after "E", as after "e", belongs to a number
    int tailblanks;      // blanks written after the prepared text
    bool functions;      // names are first looked up in the user-function file
    bool openmsg;        // a units file that cannot be opened is reported
};

extern const scanrules HANDLESTR_SCAN;

// Scans 'formula' into the list at 'S' (null when it holds no token). Returns false
// after an error exit.
bool scanformula(char *formula, const scanrules &r);

// True when 'w' (n characters) is one of the engine's own words.
bool engineword(const char *w, unsigned n);

#endif
