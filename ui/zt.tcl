# zt.tcl - the qev window: formula entry, history of answers, display options, keypad,
# unit system, and the menus that open the unit, function, fit and plot windows.
#
# The other scripts of the window lie beside this one:
#   userlib.tcl    the user's own library folder (qev::userlib)
#   calc.tcl       options, evaluation, history and recall (namespace zt)
#   units.tcl      unit systems, the unit browser, unit matching, the unit dialog
#   functions.tcl  the function dialog and list, the polynomial fit dialog
#   plot.tcl       the plot window for answers that are tables of pairs
#
# User text (formulas, dialog fields, file names) reaches the commands only as single
# list elements: nothing typed is ever evaluated as a script or an expression.

package require Tk 8.6
namespace eval zt {
    variable dir [file dirname [file normalize [info script]]]
}
if {[info commands mc66] eq ""} {
    # Run by a plain wish: the extension lies beside the script in the build folder.
    lappend ::auto_path $zt::dir
    package require qev
}
foreach zt::script {userlib.tcl calc.tcl units.tcl functions.tcl plot.tcl} {
    source [file join $zt::dir $zt::script]
}
unset zt::script

# Builds the main window and its menus.
proc zt::mainwindow {} {
    wm title . qev
    wm minsize . 480 300
    option add *tearOff 0
    ttk::frame .f -padding 4
    pack .f -fill both -expand 1

    # Display options and the unit system.
    ttk::frame .f.opts
    ttk::label .f.opts.ul -text "System:" -underline 0
    ttk::combobox .f.opts.usys -state readonly -width 8 -textvariable zt::usysname
    bind .f.opts.usys <<ComboboxSelected>> zt::pickedsystem
    ttk::label .f.opts.cl -text "Complex:"
    ttk::radiobutton .f.opts.exp -text "r·exp(iφ)" -value exp -variable zt::opt(complex)
    ttk::radiobutton .f.opts.rect -text "a+i·b" -value rect -variable zt::opt(complex)
    ttk::label .f.opts.fl -text "Format:"
    ttk::combobox .f.opts.format -state readonly -width 9 -textvariable zt::opt(format) \
        -values {general scientific fixed}
    ttk::label .f.opts.pl -text "Digits:"
    ttk::spinbox .f.opts.digits -from 1 -to 30 -width 3 -textvariable zt::opt(digits) \
        -validate key -validatecommand {string is digit %P}
    ttk::checkbutton .f.opts.real -text "Real only" -variable zt::opt(real)
    grid .f.opts.ul .f.opts.usys .f.opts.cl .f.opts.exp .f.opts.rect .f.opts.fl .f.opts.format \
        .f.opts.pl .f.opts.digits .f.opts.real -padx 2 -sticky w
    grid .f.opts -row 0 -column 0 -columnspan 2 -sticky ew -pady {0 4}

    # History of formulas and answers, newest at the bottom.
    text .f.hist -height 14 -width 72 -wrap word -state disabled -takefocus 0 \
        -yscrollcommand {.f.histsb set} -relief sunken -borderwidth 1 -padx 4 -pady 4
    ttk::scrollbar .f.histsb -orient vertical -command {.f.hist yview}
    .f.hist tag configure formula -font TkFixedFont -foreground #1a3c8c -spacing1 4
    .f.hist tag configure answer -font TkFixedFont -lmargin1 24 -lmargin2 24
    .f.hist tag configure error -font TkFixedFont -lmargin1 24 -lmargin2 24 -foreground #b00000
    .f.hist tag configure note -font TkDefaultFont -lmargin1 24 -lmargin2 24 -foreground #505050
    .f.hist tag bind formula <Double-1> {zt::recallat @%x,%y}
    bind .f.hist <1> {focus %W}
    grid .f.hist -row 1 -column 0 -sticky nsew
    grid .f.histsb -row 1 -column 1 -sticky ns

    # Keypad: inserts at the cursor of the formula.
    ttk::frame .f.keys
    set col 0
    foreach {label text tip} {
        ± ± "error: value ± error"
        π pi "pi"
        i i "imaginary unit"
        √ sqrt( "square root"
        ^ ^ "power"
        $m {$m} "length exponent: 3 $m 1"
        $k {$k} "mass exponent"
        $s {$s} "time exponent"
        $d {$d} "temperature exponent"
        $c {$c} "charge exponent"
        $n {$n} "amount of substance exponent"
    } {
        set b .f.keys.k$col
        ttk::button $b -text $label -width 3 -command [list zt::insert $text]
        bind $b <Enter> [list zt::status $tip]
        bind $b <FocusIn> [list zt::status $tip]
        grid $b -row 0 -column $col -padx 1
        incr col
    }
    grid .f.keys -row 2 -column 0 -columnspan 2 -sticky w -pady 4

    # The formula.
    ttk::frame .f.line
    ttk::entry .f.line.formula -font TkFixedFont
    ttk::button .f.line.eval -text "=" -width 3 -command zt::evaluate
    pack .f.line.eval -side right -padx {4 0}
    pack .f.line.formula -side left -fill x -expand 1
    grid .f.line -row 3 -column 0 -columnspan 2 -sticky ew
    bind .f.line.formula <Return> {zt::evaluate; break}
    bind .f.line.formula <KP_Enter> {zt::evaluate; break}
    bind .f.line.formula <Up> {zt::recall -1; break}
    bind .f.line.formula <Down> {zt::recall 1; break}

    ttk::label .f.status -textvariable zt::statustext -anchor w -foreground #404040
    grid .f.status -row 4 -column 0 -columnspan 2 -sticky ew -pady {4 0}

    grid columnconfigure .f 0 -weight 1
    grid rowconfigure .f 1 -weight 1

    zt::menus
    bind . <Alt-s> {focus .f.opts.usys}
    focus .f.line.formula
}

# The menu bar; every action has a menu entry, most also a key.
proc zt::menus {} {
    menu .mb
    . configure -menu .mb
    foreach {m label ul} {file File 0 display Display 0 units Units 0 functions Functions 1 tools Tools 0} {
        menu .mb.$m
        .mb add cascade -label $label -underline $ul -menu .mb.$m
    }
    .mb.file add command -label "Unit system file…" -underline 0 -command zt::othersystem
    .mb.file add command -label "Clear history" -underline 0 -command zt::clearhistory
    .mb.file add separator
    .mb.file add command -label Quit -underline 0 -accelerator Ctrl+Q -command exit

    .mb.display add radiobutton -label "Complex as r·exp(iφ)" -underline 11 \
        -variable zt::opt(complex) -value exp
    .mb.display add radiobutton -label "Complex as a+i·b" -underline 11 \
        -variable zt::opt(complex) -value rect
    .mb.display add separator
    foreach {v ul} {general 0 scientific 0 fixed 1} {
        .mb.display add radiobutton -label "[string totitle $v] format" -underline $ul \
            -variable zt::opt(format) -value $v
    }
    .mb.display add separator
    .mb.display add command -label "More digits" -underline 0 -accelerator Ctrl+Plus \
        -command {zt::digits 1}
    .mb.display add command -label "Fewer digits" -underline 1 -accelerator Ctrl+Minus \
        -command {zt::digits -1}
    .mb.display add checkbutton -label "Real part only" -underline 0 -variable zt::opt(real)
    .mb.display add checkbutton -label "Engine's text" -underline 9 -variable zt::opt(raw)

    .mb.units add command -label "Browse units…" -underline 0 -accelerator Ctrl+B \
        -command zt::browseunits
    .mb.units add command -label "Which unit is this?" -underline 0 -accelerator Ctrl+W \
        -command {zt::whichunit 0}
    .mb.units add command -label "Next matching unit" -underline 0 -accelerator Ctrl+N \
        -command {zt::whichunit 1}
    .mb.units add command -label "Define unit…" -underline 0 -accelerator Ctrl+U \
        -command zt::defineunit

    .mb.functions add command -label "Define function…" -underline 0 -accelerator Ctrl+D \
        -command zt::definefunction
    .mb.functions add command -label "List functions…" -underline 0 -accelerator Ctrl+L \
        -command zt::listfunctions

    .mb.tools add command -label "Fit polynomial…" -underline 0 -accelerator Ctrl+F \
        -command zt::fitdialog
    .mb.tools add command -label "Plot last table" -underline 0 -accelerator Ctrl+P \
        -command zt::plotlast

    foreach {key cmd} {
        q exit b zt::browseunits w {zt::whichunit 0} n {zt::whichunit 1} u zt::defineunit
        d zt::definefunction l zt::listfunctions f zt::fitdialog p zt::plotlast
        plus {zt::digits 1} equal {zt::digits 1} minus {zt::digits -1}
    } {
        # On the formula too, ahead of the entry's own editing keys.
        bind . <Control-$key> "$cmd; break"
        bind .f.line.formula <Control-$key> "$cmd; break"
    }
}

# Disables the menu entries whose commands this build of the extension lacks.
proc zt::degrade {} {
    foreach {menu label cmds} {
        units "Browse units…" {fbr bru} units "Which unit is this?" mtu
        units "Next matching unit" mtu units "Define unit…" anu
        functions "Define function…" anf functions "List functions…" fbr
        tools "Fit polynomial…" regres
    } {
        foreach cmd $cmds {
            if {[info commands ::$cmd] eq ""} {
                .mb.$menu entryconfigure [.mb.$menu index $label] -state disabled
            }
        }
    }
}

zt::mainwindow
zt::degrade
zt::startlibrary
