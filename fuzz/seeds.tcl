# seeds.tcl - writes the seed inputs of the fuzz targets, taken from the tests and the
# shipped library: tclsh seeds.tcl SOURCEDIR OUTDIR makes OUTDIR/<target>/<n>.
# An input's sections are joined by NUL bytes (see fuzz/common.h).

lassign $argv src out

proc slurp {path} {
    set f [open $path r]
    fconfigure $f -translation binary
    set t [read $f]
    close $f
    return $t
}

# Writes one seed of 'target' from its sections.
proc seed {target args} {
    global out
    set dir [file join $out $target]
    file mkdir $dir
    set f [open [file join $dir [incr ::count($target)]] w]
    fconfigure $f -translation binary
    puts -nonewline $f [join $args \0]
    close $f
}

# C string literals as bytes (the escapes \" \\ \n \xHH).
proc cstring {s} {
    set s [string map {\\\" \" \\\\ \\ \\n \n} $s]
    while {[regexp -indices {\\x([0-9A-Fa-f]{2})} $s all hex]} {
        set b [format %c [scan [string range $s {*}$hex] %x]]
        set s [string replace $s {*}$all $b]
    }
    return $s
}

# Formulas of the engine and command tests.
set formulas {}
foreach f [glob [file join $src tests *_test.cpp]] {
    set t [slurp $f]
    foreach {- s} [regexp -all -inline {\{"((?:[^"\\]|\\.)*)",} $t] { lappend formulas [cstring $s] }
    foreach {- s} [regexp -all -inline {calc\("((?:[^"\\]|\\.)*)"\)} $t] { lappend formulas [cstring $s] }
}
foreach f [glob [file join $src tests *.test]] {
    set t [slurp $f]
    foreach {- s} [regexp -all -inline {calc \{([^\}\n]*)\}} $t] { lappend formulas $s }
    foreach {- s} [regexp -all -inline {calc "([^"\n]*)"} $t] { lappend formulas $s }
}
set formulas [lsort -unique $formulas]

# Units files: the shipped one, the small ones of the tests, and an empty one.
set shipped [slurp [file join $src data qev.units]]
set unitfiles [list $shipped "Units\n"]
foreach f [glob [file join $src tests *.test]] {
    foreach {- s} [regexp -all -inline {unitsystem \{([^\}]*)\}} [slurp $f]] { lappend unitfiles $s }
}
set functions [slurp [file join $src data examples.functions]]
append functions "#sq= (%0^2_+_1)_func_1_\n#cube= (%0^3)_func_1_\n"

# mc66: every formula in turn with one of the option sets, over the shipped library.
set optsets {{-S1 -p 6 -q} {-cr -S2 -p 12 -q} {-ce -R -q} {-S3 -p 3 -q} {-q} {-g -S1 -p 6 -q} {-g -cr -q}}
set k 0
foreach formula $formulas {
    set opts [lindex $optsets [expr {[incr k] % [llength $optsets]}]]
    set units [expr {$k % 3 == 0 ? "" : $shipped}]
    seed mc66 $units $functions {*}$opts $formula
}
seed mc66 $shipped $functions -S1 -q {5 ft + 3 m} {} -q {hypot(3,4)} {} -q {a=2*ft} {} -q {%a/in}
# errors in quadrature: variables used twice, a units entry's error, sampling
seed mc66 "$shipped#Gx= _~_c(_6.674_err_0.015_c)_\n" "$functions#kx= (%0_*_(2\xB10.1))_func_1_\n" \
    -g -q {(5±0.1)=a} {} -g -q {%a-%a*1 Gx/1 Gx} {} -g {integ 0 1 4 kx(x)±0.1} {} -q {%a errpct 5}

# bru and mtu: each units file with entry numbers, options and result texts.
foreach units $unitfiles {
    seed units $units 1 2 3
    seed units $units -S1 -p 6 1 -n 2 {(5) {m^(1)}}
    seed units $units -t 2 {(2)  {kg^(1)} {m^(2)} {s^(-2)}} -q -1
    seed units $units -cr 0 {(1)  {m^(1)} {s^(-1)}}
}

# anu and anf: the option sets of the tests ("\x00" chooses anu, "\x01" anf).
set base "Units\n#m= _\$m_1_\n#kg= _\$k_1_\n#s= _\$s_1_\n#K= _\$d_1_\n"
foreach opts {
    {-name ft -mult 0.3048 -unit m} {-name mph -mult 0.44704 -unit m/s}
    {-name F -add1 459.67 -mult 0.5555555556 -unit K} {-name C -add2 -273.15 -mult 1 -unit K}
    {-name n -mult 2 -unit {kg m^2}} {-name k -mult -x} {-name m -mult 2} {-mult 3 -unit s}
    {-name a -unit s^-1 -add2 {} -add1 -.5}
} {
    seed library \0$base {*}$opts
}
foreach {name body} {sq {%0^2 + 1} hyp {sqrt(%0^2+%1^2)} two 2 f%x {%3*%0} {f x} {%}} {
    seed library \1$functions $name $body
}

# libedit: each operation over a small units file, with and without a shipped copy
# (the first byte: the operation, 8 added for the copy).
set mine "$base#a= _~_2_m_\n#b= _~_3_a_\n"
foreach {byte lib args} [list \
    0 $base {-name ft -mult 0.3048 -unit m} 0 $base {-name xx -mult 2 -unit foo} \
    8 $mine {-name m -mult 2 -unit s -replace} 0 $mine {-name a -mult 5 -replace} \
    1 $functions {-name sq2 -body {%0^2}} 1 $functions {-name bad -body {sqrt(%0}} \
    2 $mine {-name a} 10 $mine {-name m} 2 $mine {-name b -force} 3 $functions {-name cube} \
    4 $mine {-name b -to bb} 5 $functions {-name sq -to sqq} \
    6 $mine {} 6 $mine {#a= _~_2_m_\n}] {
    seed libedit [format %c $byte]$lib $base {*}$args
}
seed libedit \x06$mine $shipped $base
# a copy made from the shipped file of now that lost shipped entries
seed libedit "\x06Units\n#m= _\$m_2_\n#a= _~_2_m_\n" $base $base

# regres: the tests' arguments.
foreach args {
    {1 {0 1 1 3 2 5 }} {2 {-1 1 0 0 1 1 }} {0 {1 2 3 4 }} {2.9 {-1 1 0 0 1 1 }}
    {3 {0 1 1 0 2 -5 3 -14 -1 -2}} {1 {  0	1 1   3 2 5  }} {1 {0 1e0 +1 3 2E0 5}}
    {1} {1 {0 1 1 3} extra} {-1 {0 1 1 3}} {two {0 1 1 3}} {1e30 {0 1 1 3}} {1 {0 1 1 nan}}
    {5 {0 1 1 2 2 3 3 4 4 5 5 6 6 7 7 8}}
} {
    seed regres {*}$args
}

# answer: formulas of the tests with targets, over the shipped library and list.
set named [slurp [file join $src data named.list]]
set k 0
foreach {formula target} {
    {3 N * 2 m} {} {60 mph -> km/h} {} {98.6 degF} degC {1.8034 m} ft+in {12300 s -> h+minute+s} {}
    {(2.00±0.05) m / (0.50±0.01) s} {} {1/(2*pi*50 Hz * 1e-6 F)} {} {5 m} s {5 m} {J/(kg K)}
    {1000 ohm + 1/(i*2*pi*500 Hz*1 uF)} {} {(12345 ± 23) m} {} {1 2} m {plot 0 1 2 x} {} {2+} m
    {8.314 J / 1 kg / 1 K to J/kg K} {} {1 km} {m^(3)} {5 J / 2 K} {} {100 ohm ±5%} {} {(12 ±1%) V} mV
} {
    seed answer $shipped $named $formula $target [format %c [incr k]]
}
foreach f [lrange $formulas 0 40] { seed answer $shipped $named $f {} [format %c [incr k]] }
# ... and formulas as people type them: pasted symbols (as UTF-8), powers and braces of
# units, rescues, warnings, hints.
foreach {formula target} {
    {5 µF} {} {4.7 kΩ * 2 mA} {} {25 °C} °F {3×10⁸ m/s} {} {2π√9} {} {1500 ft^2} {} {6 m / 2 {m^2}} {}
    {5 kg m^2 s^-2} {} {(5 ± 0.1) m^2} {} {2 m N} {} {5 km/h} mph {c0 / 2.4 GHz} {} {25 min} {}
    {(%a+1)=a / {m^2} +} {} {3 +- 1} {} {60 mph in kmh} {} {5 foots} {} {log10(100)} {} {5 µin} µm
    {2 → ft} {} {5 ≈ 3 &} {} {3+4i} {} {1 ε0 ħ μ0} {} {me+1} {}
} {
    seed answer $shipped $named [encoding convertto utf-8 $formula] [encoding convertto utf-8 $target] [format %c [incr k]]
}

# fbr: library files with entry numbers.
foreach lib [list $functions $shipped "#a=1#b=2" "T\n#ab\n#c d#" "a=b\n#cd=1" "#\xB0F=1"] {
    foreach n {0 1 2 1.5 -1 x 40} { seed fbr $lib $n }
}
seed fbr $functions
seed fbr $functions 1 2
