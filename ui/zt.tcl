# zt.tcl - the qev window: options bar, history of answers, formula and convert-to
# fields, keypad, status bar, and the menus that open the unit, function, fit and plot
# windows.
#
# The other scripts of the window lie beside this one:
#   userlib.tcl    the user's own library folder (qev::userlib)
#   look.tcl       the ttk style of colours and fonts, text sizes, tooltips
#   settings.tcl   the window's settings file: geometry, text size, recent targets
#   calc.tcl       options, evaluation, history and recall (namespace zt)
#   progress.tcl   long evaluations: the progress bar, Cancel, refusals meanwhile
#   convert.tcl    the convert-to field and the completion of unit names
#   keypad.tcl     the keypad and the Insert menu
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
        opts .f.opts  usys .f.opts.usys  card .f.card  hist .f.hist  keys .f.keys
        line .f.line  formula .f.line.formula  target .f.line.target  eval .f.line.eval
        bar .f.bar  status .f.bar.status  progress .f.bar.progress  cancel .f.bar.cancel
        units .units  unitfilter .units.f.filter  unitlist .units.f.list
        defunit .defunit  deffunc .deffunc  funcs .funcs  fit .fit
        plot .plot  canvas .plot.f.c  pairs .plot.f.pairs
    }
    variable keypadshown 1     ;# View > Keypad
}
if {[info commands mc66] eq ""} {
    # Run by a plain wish: the extension lies beside the script in the build folder.
    lappend ::auto_path $zt::dir
    package require qev
}
foreach zt::script {userlib.tcl look.tcl settings.tcl calc.tcl progress.tcl convert.tcl keypad.tcl
                    units.tcl functions.tcl plot.tcl} {
    source [file join $zt::dir $zt::script]
}
unset zt::script

# Builds the main window and its menus. Rows of .f, top to bottom: options bar,
# history, formula line, keypad, status bar (with the progress of long work at its right).
proc zt::mainwindow {} {
    variable win
    # Shown once it has its size (restoregeometry).
    wm withdraw .
    wm title . qev
    option add *tearOff 0
    fonts
    styles
    ttk::frame .f
    pack .f -fill both -expand 1
    optionsbar
    historypane
    formulaline
    keypad
    grid $win(keys) -row 3 -column 0 -sticky ew -padx 8p -pady {2p 6p}
    statusbar
    grid columnconfigure .f 0 -weight 1
    grid rowconfigure .f 1 -weight 1
    menus
    bind . <Alt-s> [list focus $win(usys)]
    bind . <Escape> zt::stopwork
    wm protocol . WM_DELETE_WINDOW zt::quit
    bind . <Configure> {+if {"%W" eq "."} zt::geometrychanged}
    wm minsize . [px 420] [px 330]
    focus $win(formula)
}

# The top row: unit system and display options, in groups that wrap onto a second
# row when the window is narrow.
proc zt::optionsbar {} {
    variable win
    set o $win(opts)
    ttk::frame $o -style Toolbar.TFrame -padding {6p 6p 6p 2p}
    # Made before the widgets they hold, so as to lie below them.
    foreach f {row0 row1 row2 row3 gsys gcomplex gformat greal} { ttk::frame $o.$f -style Toolbar.TFrame }
    ttk::label $o.ul -text "System" -underline 0
    ttk::combobox $win(usys) -state readonly -width 6 -textvariable zt::usysname
    bind $win(usys) <<ComboboxSelected>> zt::pickedsystem
    ttk::label $o.cl -text "Complex"
    ttk::radiobutton $o.exp -text "r·exp(iφ)" -value exp -variable zt::opt(complex) -style Toolbutton
    ttk::radiobutton $o.rect -text "a+i·b" -value rect -variable zt::opt(complex) -style Toolbutton
    ttk::label $o.fl -text "Format"
    ttk::combobox $o.format -state readonly -width 9 -textvariable zt::opt(format) \
        -values {general scientific fixed}
    ttk::label $o.pl -text "Digits"
    ttk::spinbox $o.digits -from 1 -to 30 -width 3 -textvariable zt::opt(digits) \
        -validate key -validatecommand {string is digit %P}
    ttk::checkbutton $o.real -text "Real only" -variable zt::opt(real)
    tip $o.exp "Complex numbers as magnitude and phase"
    tip $o.rect "Complex numbers as real and imaginary part"
    tip $o.digits "Digits of answers without an error (Ctrl+Plus, Ctrl+Minus)"
    tip $o.real "Only the real part of complex answers"
    foreach {g widgets} [list gsys [list $o.ul $win(usys)] gcomplex [list $o.cl $o.exp $o.rect] \
                             gformat [list $o.fl $o.format $o.pl $o.digits] greal [list $o.real]] {
        foreach w $widgets {
            pack $w -in $o.$g -side left -padx [expr {[winfo class $w] eq "TLabel" ? {0 4p} : 0}]
        }
    }
    pack configure $o.format -padx {0 8p}
    bind $o <Configure> zt::flowoptions
    grid $o -row 0 -column 0 -sticky ew
    flowoptions
}

# Lays the groups of the options bar out left to right in rows, wrapping them at its
# width.
proc zt::flowoptions {} {
    variable win
    set o $win(opts)
    set width [winfo width $o]
    set avail [expr {$width <= 1 ? 1000000 : $width - 2 * [px 6]}]
    set gap [px 12]
    set x 0
    set row 0
    foreach g {gsys gcomplex gformat greal} {
        set w [winfo reqwidth $o.$g]
        if {$x > 0 && $x + $w > $avail} {
            incr row
            set x 0
        }
        pack $o.$g -in $o.row$row -side left -padx [list 0 $gap]
        incr x [expr {$w + $gap}]
    }
    foreach r {0 1 2 3} {
        if {$r <= $row} {
            grid $o.row$r -row $r -column 0 -sticky w -pady {0 4p}
        } else {
            grid forget $o.row$r
        }
    }
}

# The history of formulas and answers, newest at the bottom, on a card with its
# scroll bar: formulas on the left, answers on the right.
proc zt::historypane {} {
    variable win
    set h $win(hist)
    set c $win(card)
    ttk::frame $c -style Card.TFrame -padding 1
    text $h -height 4 -width 20 -wrap word -state disabled -takefocus 0 -cursor arrow \
        -yscrollcommand [list .f.histsb set] -relief flat -borderwidth 0 -highlightthickness 0 \
        -padx 12p -pady 6p -background [look History -background] \
        -selectbackground [look Selection -background] -selectforeground [look Selection -foreground] \
        -inactiveselectbackground [look Selection -background]
    raise $h $c
    ttk::scrollbar .f.histsb -orient vertical -command [list $h yview]
    raise .f.histsb $c
    $h tag configure formula -font [look Formula -font] -foreground [look Formula -foreground] \
        -spacing1 9p -spacing3 1p
    set answer [list -font [look Answer -font] -justify right -spacing3 3p -lmargin1 24p -lmargin2 24p]
    $h tag configure answer {*}$answer -foreground [look Answer -foreground]
    $h tag configure error {*}$answer -foreground [look Error -foreground]
    $h tag configure note -font [look Note -font] -foreground [look Note -foreground] -justify right
    $h tag configure remark -font [look Note -font] -foreground [look Note -foreground] \
        -lmargin1 24p -lmargin2 36p -spacing3 2p
    $h tag bind formula <Double-1> {zt::recallat @%x,%y}
    $h tag bind answer <Enter> {zt::answertip %W %x %y}
    $h tag bind answer <Leave> zt::tiphide
    bind $h <1> {focus %W}
    bind $h <Configure> {zt::historycolumn %W %w}
    bind $h <<Copy>> {zt::copyhistory; break}
    bind $h <3> {zt::historymenu %W %x %y %X %Y}
    grid $h .f.histsb -in $c -sticky nsew
    grid columnconfigure $c 0 -weight 1
    grid rowconfigure $c 0 -weight 1
    grid $c -row 1 -column 0 -sticky nsew -padx 8p -pady {2p 6p}
}

# Keeps the history's lines in a column of at most 600 points, centred in a wide window.
proc zt::historycolumn {h width} {
    set pad [expr {max([px 12], ($width - [px 600]) / 2)}]
    if {[$h cget -padx] != $pad} { $h configure -padx $pad }
}

# The formula entry, the convert-to field and the "=" button.
proc zt::formulaline {} {
    variable win
    set e $win(formula)
    set l $win(line)
    ttk::frame $l
    ttk::entry $e -font QevFormula -style Formula.TEntry
    ttk::label $l.to -text "→" -style Status.TLabel
    targetfield
    ttk::button $win(eval) -text "=" -style Accent.TButton -width 3 -command zt::evaluate
    tip $e "A formula: (2.00±0.05) m / (0.50±0.01) s, 60 mph -> km/h. Up and Down recall."
    tip $win(eval) "Evaluate (Enter)"
    grid $e $l.to $win(target) $win(eval) -sticky nsew
    grid configure $l.to -padx 6p
    grid configure $win(eval) -padx {6p 0}
    grid columnconfigure $l 0 -weight 1
    grid $l -row 2 -column 0 -sticky ew -padx 8p -pady 2p
    bind $e <Return> {zt::evaluate; break}
    bind $e <KP_Enter> {zt::evaluate; break}
    bind $e <Up> {zt::recall -1; break}
    bind $e <Down> {zt::recall 1; break}
}

# The status line at the foot of the window, with the progress of long work at its
# right end.
proc zt::statusbar {} {
    variable win
    set b $win(bar)
    ttk::frame $b -style Bar.TFrame -padding {8p 2p 8p 4p}
    ttk::label $win(status) -textvariable zt::statustext -anchor w -style Status.TLabel
    grid $win(status) -row 0 -column 0 -sticky ew
    progressbar $b
    grid columnconfigure $b 0 -weight 1
    grid $b -row 4 -column 0 -sticky ew
}

# Shows or hides the keypad (View > Keypad).
proc zt::showkeypad {} {
    variable win
    variable keypadshown
    if {$keypadshown} { grid $win(keys) } else { grid remove $win(keys) }
}

# The menu bar; every action has a menu entry, most also a key.
proc zt::menus {} {
    variable win
    variable textsizes
    menu .mb -background [look . -background]
    . configure -menu .mb
    foreach {m label ul} {
        file File 0 view View 0 display Display 0 insert Insert 0 units Units 0
        functions Functions 2 tools Tools 0
    } {
        menu .mb.$m
        .mb add cascade -label $label -underline $ul -menu .mb.$m
    }
    .mb.file add command -label "Unit system file…" -underline 0 -command zt::othersystem
    .mb.file add command -label "Clear history" -underline 0 -command zt::clearhistory
    .mb.file add separator
    .mb.file add command -label Quit -underline 0 -accelerator Ctrl+Q -command zt::quit

    .mb.view add cascade -label "Text size" -underline 0 -menu .mb.view.size
    menu .mb.view.size
    foreach {name factor} $textsizes {
        .mb.view.size add radiobutton -label $name -variable zt::textsize -value $name \
            -command [list zt::settextsize $name]
    }
    .mb.view add checkbutton -label Keypad -underline 0 -variable zt::keypadshown \
        -command zt::showkeypad

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
    .mb.display add separator
    .mb.display add radiobutton -label "Linear errors" -underline 0 \
        -variable zt::opt(errors) -value linear
    .mb.display add radiobutton -label "Gaussian errors (in quadrature)" -underline 2 \
        -variable zt::opt(errors) -value gauss
    .mb.display add separator
    .mb.display add checkbutton -label "Formulas as typed" -underline 13 -variable zt::opt(literal)

    foreach {label text} {π pi e e i i ± ±} {
        .mb.insert add command -label $label -command [list zt::insert $text]
    }
    .mb.insert add separator
    foreach {m label ul fill} {
        f Functions 0 zt::functionsmenu u Units 0 zt::unitsmenu x "Base-unit exponents" 0 zt::exponentsmenu
    } {
        menu .mb.insert.$m
        $fill .mb.insert.$m
        .mb.insert add cascade -label $label -underline $ul -menu .mb.insert.$m
    }

    .mb.units add command -label "Browse units…" -underline 0 -accelerator Ctrl+B \
        -command zt::browseunits
    .mb.units add command -label "Which unit is this?" -underline 0 -accelerator Ctrl+W \
        -command {zt::whichunit 0}
    .mb.units add command -label "Next matching unit" -underline 0 -accelerator Ctrl+N \
        -command {zt::whichunit 1}
    .mb.units add command -label "Define unit…" -underline 0 -accelerator Ctrl+U \
        -command zt::defineunit
    .mb.units add separator
    .mb.units add command -label "Convert to…" -underline 0 -accelerator Ctrl+T \
        -command [list focus $win(target)]

    .mb.functions add command -label "Define function…" -underline 0 -accelerator Ctrl+D \
        -command zt::definefunction
    .mb.functions add command -label "List functions…" -underline 0 -accelerator Ctrl+L \
        -command zt::listfunctions

    .mb.tools add command -label "Fit polynomial…" -underline 0 -accelerator Ctrl+F \
        -command zt::fitdialog
    .mb.tools add command -label "Plot last table" -underline 0 -accelerator Ctrl+P \
        -command zt::plotlast

    foreach {key cmd} {
        q zt::quit b zt::browseunits w {zt::whichunit 0} n {zt::whichunit 1} u zt::defineunit
        d zt::definefunction l zt::listfunctions f zt::fitdialog p zt::plotlast
        plus {zt::digits 1} equal {zt::digits 1} minus {zt::digits -1}
        t {focus $zt::win(target)}
    } {
        # On the two fields too, ahead of the entries' own editing keys.
        foreach w [list . $win(formula) $win(target)] { bind $w <Control-$key> "$cmd; break" }
    }
}

zt::mainwindow
zt::startlibrary
zt::loadsettings
