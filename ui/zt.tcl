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
    # The widgets that more than one procedure reaches, named here only.
    variable win
    array set win {
        opts .f.opts  usys .f.opts.usys  hist .f.hist  keys .f.keys
        line .f.line  formula .f.line.formula  status .f.status
        units .units  unitfilter .units.f.filter  unitlist .units.f.list
        defunit .defunit  deffunc .deffunc  funcs .funcs  fit .fit
        plot .plot  canvas .plot.f.c  pairs .plot.f.pairs
    }
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

# The window's colours and fonts, each in one ttk style; the history pane and the plot
# canvas, which are not ttk widgets, read theirs from the styles too.
proc zt::styles {} {
    foreach {style options} {
        Formula   {-foreground #1a3c8c -font TkFixedFont}
        Answer    {-font TkFixedFont}
        Error     {-foreground #b00000}
        Ok        {-foreground #106010}
        Note      {-foreground #505050 -font TkDefaultFont}
        Status    {-foreground #404040}
        Plot      {-foreground #1a3c8c -background white}
        PlotFrame {-foreground black -font TkDefaultFont}
        PlotGrid  {-foreground #e4e4e4}
        PlotZero  {-foreground #808080}
        PlotMark  {-foreground #c00000}
    } {
        ttk::style configure $style.TLabel {*}$options
    }
}

# One setting of a style of 'styles': 'look Error -foreground'.
proc zt::look {style option} { ttk::style lookup $style.TLabel $option }

# Builds the main window and its menus.
proc zt::mainwindow {} {
    variable win
    wm title . qev
    wm minsize . 480 300
    option add *tearOff 0
    styles
    ttk::frame .f -padding 4
    pack .f -fill both -expand 1
    optionsbar
    historypane
    keypad
    formulaline
    ttk::label $win(status) -textvariable zt::statustext -anchor w -style Status.TLabel
    grid $win(status) -row 4 -column 0 -columnspan 2 -sticky ew -pady {4 0}
    grid columnconfigure .f 0 -weight 1
    grid rowconfigure .f 1 -weight 1
    menus
    bind . <Alt-s> [list focus $win(usys)]
    focus $win(formula)
}

# The top row: unit system and display options.
proc zt::optionsbar {} {
    variable win
    set o $win(opts)
    ttk::frame $o
    ttk::label $o.ul -text "System:" -underline 0
    ttk::combobox $win(usys) -state readonly -width 8 -textvariable zt::usysname
    bind $win(usys) <<ComboboxSelected>> zt::pickedsystem
    ttk::label $o.cl -text "Complex:"
    ttk::radiobutton $o.exp -text "r·exp(iφ)" -value exp -variable zt::opt(complex)
    ttk::radiobutton $o.rect -text "a+i·b" -value rect -variable zt::opt(complex)
    ttk::label $o.fl -text "Format:"
    ttk::combobox $o.format -state readonly -width 9 -textvariable zt::opt(format) \
        -values {general scientific fixed}
    ttk::label $o.pl -text "Digits:"
    ttk::spinbox $o.digits -from 1 -to 30 -width 3 -textvariable zt::opt(digits) \
        -validate key -validatecommand {string is digit %P}
    ttk::checkbutton $o.real -text "Real only" -variable zt::opt(real)
    grid $o.ul $win(usys) $o.cl $o.exp $o.rect $o.fl $o.format $o.pl $o.digits $o.real -padx 2 -sticky w
    grid $o -row 0 -column 0 -columnspan 2 -sticky ew -pady {0 4}
}

# The history of formulas and answers, newest at the bottom.
proc zt::historypane {} {
    variable win
    set h $win(hist)
    text $h -height 14 -width 72 -wrap word -state disabled -takefocus 0 \
        -yscrollcommand {.f.histsb set} -relief sunken -borderwidth 1 -padx 4 -pady 4
    ttk::scrollbar .f.histsb -orient vertical -command [list $h yview]
    set indent {-lmargin1 24 -lmargin2 24}
    $h tag configure formula -font [look Formula -font] -foreground [look Formula -foreground] -spacing1 4
    $h tag configure answer -font [look Answer -font] {*}$indent
    $h tag configure error -font [look Answer -font] -foreground [look Error -foreground] {*}$indent
    $h tag configure note -font [look Note -font] -foreground [look Note -foreground] {*}$indent
    $h tag bind formula <Double-1> {zt::recallat @%x,%y}
    bind $h <1> {focus %W}
    grid $h -row 1 -column 0 -sticky nsew
    grid .f.histsb -row 1 -column 1 -sticky ns
}

# The keypad: inserts at the cursor of the formula.
proc zt::keypad {} {
    variable win
    ttk::frame $win(keys)
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
        set b $win(keys).k$col
        ttk::button $b -text $label -width 3 -command [list zt::insert $text]
        bind $b <Enter> [list zt::status $tip]
        bind $b <FocusIn> [list zt::status $tip]
        grid $b -row 0 -column $col -padx 1
        incr col
    }
    grid $win(keys) -row 2 -column 0 -columnspan 2 -sticky w -pady 4
}

# The formula entry and its "=" button.
proc zt::formulaline {} {
    variable win
    set e $win(formula)
    ttk::frame $win(line)
    ttk::entry $e -font [look Formula -font]
    ttk::button $win(line).eval -text "=" -width 3 -command zt::evaluate
    pack $win(line).eval -side right -padx {4 0}
    pack $e -side left -fill x -expand 1
    grid $win(line) -row 3 -column 0 -columnspan 2 -sticky ew
    bind $e <Return> {zt::evaluate; break}
    bind $e <KP_Enter> {zt::evaluate; break}
    bind $e <Up> {zt::recall -1; break}
    bind $e <Down> {zt::recall 1; break}
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
        bind $zt::win(formula) <Control-$key> "$cmd; break"
    }
}

zt::mainwindow
zt::startlibrary
