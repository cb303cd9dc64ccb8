# keypad.tcl - the keypad under the formula and the Insert menu: brackets, powers,
# constants, functions, a menu of common units and one of the base-unit exponent
# words. Namespace zt.

namespace eval zt {
    variable unitmenus {}      ;# menus of common units, with the names they were made for
    variable keycols 0         ;# the number of columns of the keypad
}

# The keys: name, label, text inserted at the cursor, tooltip.
proc zt::keytable {} {
    return {
        lpar  (    (      "Opening bracket"
        rpar  )    )      "Closing bracket"
        pow   ^    ^      "Power: 2^10"
        sq    x²   ^2     "Square: x^2"
        sqrt  √    sqrt(  "Square root"
        pm    ±    ±      "Error: (5 ± 0.1) m"
        pi    π    pi     "π = 3.14159…"
        e     e    e      "e = 2.71828…"
        i     i    i      "Imaginary unit: 3+4*i"
        deg   deg  deg    "Degrees of angle: sin(30 deg)"
        sin   sin  sin(   "Sine (of radians, or of an angle in deg)"
        cos   cos  cos(   "Cosine"
        tan   tan  tan(   "Tangent"
        ln    ln   ln(    "Natural logarithm"
        exp   exp  exp(   "Exponential"
    }
}

# The engine's functions: text inserted and a description.
proc zt::functionwords {} {
    return {
        sqrt( "square root" exp( exponential ln( "natural logarithm"
        lg10( "common logarithm" log "log b x: logarithm of x to base b"
        sin( sine cos( cosine tan( tangent asin( "arc sine" acos( "arc cosine" atan( "arc tangent"
        abs( magnitude phase( phase Re( "real part" Im( "imaginary part" conj( "complex conjugate"
    }
}

# The base-unit exponent words: a number after one is the exponent of that base unit
# ("3 $m 1" is three metres).
proc zt::exponentwords {} {
    return {
        $m "length exponent" $k "mass exponent" $s "time exponent"
        $d "temperature exponent" $c "charge exponent" $n "amount of substance exponent"
    }
}

# Common units by quantity: name and description. Names the units file lacks are left
# out of the menus.
proc zt::commonunits {} {
    return {
        Length {m metre km kilometre cm centimetre mm millimetre um micrometre nm nanometre
            in inch ft foot yd yard mi mile nmi "nautical mile" au "astronomical unit"
            ly "light year" pc parsec}
        Area {m2 "square metre" cm2 "square centimetre" km2 "square kilometre" ha hectare
            acre acre ft2 "square foot"}
        Volume {L litre mL millilitre m3 "cubic metre" cm3 "cubic centimetre" gal "US gallon"
            floz "US fluid ounce"}
        Mass {kg kilogram g gram mg milligram t tonne lb pound oz ounce u "atomic mass unit"}
        Time {s second ms millisecond us microsecond minute minute h hour day day week week
            year "Julian year"}
        Speed {kmh "kilometre per hour" mph "mile per hour" kn knot c0 "speed of light"}
        Force {N newton kN kilonewton lbf "pound-force" kgf "kilogram-force" dyn dyne}
        Energy {J joule kJ kilojoule MJ megajoule Wh "watt hour" kWh "kilowatt hour"
            cal calorie kcal kilocalorie eV electronvolt Btu "British thermal unit"}
        Power {W watt mW milliwatt kW kilowatt MW megawatt hp horsepower}
        Pressure {Pa pascal hPa hectopascal kPa kilopascal MPa megapascal bar bar
            mbar millibar atm atmosphere psi "pound per square inch" Torr torr
            mmHg "millimetre of mercury"}
        Temperature {K kelvin degC "degree Celsius" degF "degree Fahrenheit"}
        Electricity {A ampere mA milliampere V volt mV millivolt kV kilovolt ohm ohm
            kohm kiloohm Mohm megaohm F farad uF microfarad nF nanofarad pF picofarad
            C coulomb mAh "milliampere hour" S siemens H henry Wb weber T tesla}
        Frequency {Hz hertz kHz kilohertz MHz megahertz GHz gigahertz rpm "revolution per minute"}
        Angle {rad radian deg degree arcmin "minute of arc" arcsec "second of arc" turn turn}
        Amount {mol mole mmol millimole molar "mole per litre"}
        Constants {c0 "speed of light" gn "standard gravity" hP "Planck constant"
            hbar "reduced Planck constant" qe "elementary charge" me "electron mass"
            mp "proton mass" kB "Boltzmann constant" NA "Avogadro constant" Rgas "gas constant"
            eps0 "electric constant" mu0 "magnetic constant" Gc "gravitational constant"
            sigmaSB "Stefan-Boltzmann constant"}
    }
}

# Builds the keypad: keys whose columns share the width, and menu buttons for
# functions, units and the exponent words; 'flowkeys' lays them out.
proc zt::keypad {} {
    variable win
    set k $win(keys)
    ttk::frame $k
    foreach {name label text tip} [keytable] {
        ttk::button $k.$name -text $label -style Key.TButton -width 3 -takefocus 0 \
            -command [list zt::insert $text]
        tip $k.$name $tip
    }
    foreach {name label tip fill} {
        funcs "f(x)" "Functions" zt::functionsmenu
        units "Unit" "Common units, and the unit browser" zt::unitsmenu
        exps  "\$m" "Base-unit exponents: 3 \$m 1 is three metres" zt::exponentsmenu
    } {
        ttk::menubutton $k.$name -text $label -style Key.TMenubutton -menu $k.$name.m -takefocus 0 -width 3
        menu $k.$name.m
        $fill $k.$name.m
        tip $k.$name $tip
    }
    bind $k <Configure> zt::flowkeys
    flowkeys
}

# Lays the keys out in 9 columns; in 18 (one row) when the keypad is wide enough for
# roomy keys, in 6 when it is too narrow for 9.
proc zt::flowkeys {} {
    variable win
    set k $win(keys)
    set keys [winfo children $k]
    set widest [expr {[tcl::mathfunc::max {*}[lmap w $keys {winfo reqwidth $w}]] + [px 3]}]
    set width [winfo width $k]
    set cols 9
    if {$width > 1 && $width >= 18 * $widest * 5 / 4} {
        set cols 18
    } elseif {$width > 1 && $width < 9 * $widest} {
        set cols 6
    }
    variable keycols
    if {$keycols == $cols} return
    set keycols $cols
    set n 0
    foreach w $keys {
        grid $w -row [expr {$n / $cols}] -column [expr {$n % $cols}] -sticky nsew -padx 1.5p -pady 1.5p
        incr n
    }
    for {set c 0} {$c < 18} {incr c} {
        grid columnconfigure $k $c -weight [expr {$c < $cols}] -uniform [expr {$c < $cols ? "keys" : ""}]
    }
}

# Fills 'm' with the engine's functions, the user's function list and dialog.
proc zt::functionsmenu {m} {
    foreach {text what} [functionwords] {
        $m add command -label [string trimright $text (] -accelerator $what -command [list zt::insert $text]
    }
    $m add separator
    $m add command -label "List functions…" -accelerator Ctrl+L -command zt::listfunctions
    $m add command -label "Define function…" -accelerator Ctrl+D -command zt::definefunction
}

# Fills 'm' with the exponent words.
proc zt::exponentsmenu {m} {
    foreach {word what} [exponentwords] {
        $m add command -label $word -accelerator $what -command [list zt::insert $word]
    }
}

# Makes 'm' the menu of common units: a cascade per quantity, made anew when posted
# after the units file changed, then the unit browser.
proc zt::unitsmenu {m} {
    $m configure -postcommand [list zt::fillunitsmenu $m]
    fillunitsmenu $m
}

proc zt::fillunitsmenu {m} {
    variable unitmenus
    set stamp [namesstamp]
    if {[dict exists $unitmenus $m] && [dict get $unitmenus $m] eq $stamp} return
    dict set unitmenus $m $stamp
    set known {}
    foreach name [unitnames] { dict set known $name 1 }
    foreach c [winfo children $m] { destroy $c }
    $m delete 0 end
    set n 0
    foreach {quantity units} [commonunits] {
        set sub $m.q[incr n]
        menu $sub
        foreach {name what} $units {
            if {[dict exists $known $name]} {
                $sub add command -label $name -accelerator $what -command [list zt::insert $name]
            }
        }
        if {[$sub index end] ne "none"} { $m add cascade -label $quantity -menu $sub }
    }
    if {$n > 0} { $m add separator }
    $m add command -label "Browse units…" -accelerator Ctrl+B -command zt::browseunits
    $m add command -label "Define unit…" -accelerator Ctrl+U -command zt::defineunit
}
