// ops.h - the operations the reduction driver dispatches. Each takes no arguments,
// works on the word node 'T' and its neighbours and returns nothing; on bad operands
// it writes its message and takes an error exit, after which 'S' is null.
#ifndef QEV_OPS_H
#define QEV_OPS_H

// arithmetic
void add(); void sub(); void mult(); void div(); void pow(); void root();
void Azeret(); void MIN2(); void MAX2(); void ZERO2();
void addmt();  // the sum of the unit matching

// constants, x and y, the random number (constants.cpp)
void pi(); void e(); void c_i(); void X(); void Y(); void setxy(); void rnd2();

// variables (variables.cpp)
void C_varib(); void C_varibp();

// the user-function call (calls.cpp)
void C_func(); void C_comma(); void C_dln();

// units and error
void UM(); void UK(); void US(); void UD(); void UQ(); void Un(); void UE();
void UEP();  // "errpct": an error in hundredths of the value

// elementary functions
void C_exp(); void C_ln(); void C_log10(); void C_log(); void C_sqrt();
void C_sin(); void C_cos(); void C_tan(); void C_asin(); void C_acos(); void C_atan(); void C_atanr();
void C_abs(); void C_Conj(); void C_Re(); void C_Im(); void C_phase();

// numerical analysis: first phases on the keywords, second phases on their markers
void plot1(); void plot2(); void setrandf1(); void setrandf2(); void findx1(); void findx2();
void findzer1(); void findzer2a(); void findmin1(); void findmin2a(); void findmax1(); void findmax2a();
void integ1(); void integ2();

#endif
