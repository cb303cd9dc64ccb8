# calc.tcl - the calculator of the window: display options, evaluation with
# qev::answer, the history pane, formula recall and the keypad. Namespace zt.

namespace eval zt {
    # Display options, as the widgets show them; 'raw' shows the engine's own text.
    variable opt
    array set opt {complex exp format general digits 10 real 0 raw 0}
    variable statustext ""     ;# the status line
    variable recalled {}       ;# formulas evaluated, oldest first
    variable recallpos 0       ;# index into 'recalled' while stepping with Up/Down
    variable last ""           ;# the engine's text of the last answer that was a result
    variable lastformula ""    ;# its formula
    variable lastpairs {}      ;# the last answer that was a table of pairs, flat x y ...
    variable lastpairsformula ""
}

proc zt::status {text} { variable statustext $text }

# Opens the dialog window 'w': when it is open already, brings it to the front, runs
# 'reopen' (in the caller) and returns 0; otherwise makes it, a window titled 'title'
# that holds the frame $w.f and closes on Escape, and returns 1.
proc zt::opendialog {w title padding {reopen ""}} {
    if {[winfo exists $w]} {
        wm deiconify $w
        raise $w
        uplevel 1 $reopen
        return 0
    }
    toplevel $w
    wm title $w $title
    ttk::frame $w.f -padding $padding
    pack $w.f -fill both -expand 1
    bind $w <Escape> [list destroy $w]
    return 1
}

# Return, on either keyboard, runs 'command' in the dialog 'w'.
proc zt::onreturn {w command} {
    bind $w <Return> "$command; break"
    bind $w <KP_Enter> "$command; break"
}

# Shows what a definition command answered in its dialog: 'fields' names the dialog's
# array (its name and answer), 'label' its answer label, 'kind' what was defined; the
# list window 'list', when open, is refreshed with 'reload'. Returns the answer.
proc zt::definitionanswer {answer fields label kind list reload} {
    upvar #0 $fields f
    set ok [expr {[string trim $answer] eq ""}]
    answercolour $label $ok
    if {$ok} {
        set f(answer) "Defined $f(name)."
        status "$kind $f(name) defined."
        if {[winfo exists $list]} { $reload }
    } else {
        set f(answer) [string trim $answer]
    }
    return $answer
}

# Colours a dialog's answer label: green for success, red for a complaint.
proc zt::answercolour {w ok} {
    if {[winfo exists $w]} { $w configure -style [expr {$ok ? "Ok.TLabel" : "Error.TLabel"}] }
}

# The display options of the command line: complex form, format, digits, real part only.
proc zt::options {} {
    variable opt
    set o [list [expr {$opt(complex) eq "rect" ? "-cr" : "-ce"}]]
    lappend o [dict get {general -S1 scientific -S2 fixed -S3} $opt(format)]
    set d $opt(digits)
    if {![string is digit -strict $d] || $d < 1} { set d 10 }
    lappend o -p [expr {min($d, 30)}]
    if {$opt(real)} { lappend o -R }
    return $o
}

# Steps the number of digits by 'delta'.
proc zt::digits {delta} {
    variable opt
    set d $opt(digits)
    if {![string is digit -strict $d]} { set d 10 }
    set opt(digits) [expr {max(1, min(30, $d + $delta))}]
}

# The answer (the dict of qev::answer) for 'formula' with the current options, unit
# system and functions; a formula may end in "-> UNIT".
proc zt::calc {formula} {
    qev::answer {*}[options] {*}[systemoptions] {*}[functionoptions] -q $formula
}

# Whether a text of mtu reports an abandoned search.
proc zt::iserror {answer} { regexp {error #-?\d+} $answer }

# Appends text to the history pane with a tag and keeps the newest line in view.
proc zt::history {text tag} {
    variable win
    $win(hist) configure -state normal
    $win(hist) insert end $text\n $tag
    $win(hist) configure -state disabled
    $win(hist) see end
}

proc zt::clearhistory {} {
    variable win
    $win(hist) configure -state normal
    $win(hist) delete 1.0 end
    $win(hist) configure -state disabled
}

# Evaluates the formula of the entry: the formula and its answer go to the history;
# a table of pairs opens the plot window.
proc zt::evaluate {} {
    variable recalled
    variable recallpos
    variable win
    set e $win(formula)
    set formula [$e get]
    if {[string trim $formula] eq ""} return
    if {[lindex $recalled end] ne $formula} { lappend recalled $formula }
    set recallpos [llength $recalled]
    $e delete 0 end
    show $formula [calc $formula]
}

# Shows a formula and its answer (a dict of qev::answer): the display, or with the
# option 'raw' the engine's text; remembers results and tables.
proc zt::show {formula answer} {
    variable opt
    variable last
    variable lastformula
    variable lastpairs
    variable lastpairsformula
    variable match
    history $formula formula
    set status [dict get $answer status]
    set text [string trimright [dict get $answer \
        [expr {$opt(raw) && $status eq "ok" ? "engine" : "display"}]]]
    if {$status ne "ok"} {
        history "× $text" error
        status [expr {$status eq "conversion" ? "The answer could not be converted."
            : "The formula could not be evaluated."}]
        return
    }
    history $text answer
    set last [dict get $answer engine]
    set lastformula $formula
    set match 0
    set p [dict get $answer table]
    if {[llength $p] > 0} {
        set lastpairs $p
        set lastpairsformula $formula
        status "[expr {[llength $p] / 2}] pairs"
        plot $formula $p
    } else {
        status ""
    }
}

# Puts the formula at the history line 'index' back into the entry.
proc zt::recallat {index} {
    variable win
    set line [$win(hist) get "$index linestart" "$index lineend"]
    set e $win(formula)
    $e delete 0 end
    $e insert 0 $line
    focus $e
}

# Steps through earlier formulas: -1 older, 1 newer; past the newest the entry is empty.
proc zt::recall {step} {
    variable recalled
    variable recallpos
    set n [llength $recalled]
    if {$n == 0} return
    set recallpos [expr {max(0, min($n, $recallpos + $step))}]
    variable win
    set e $win(formula)
    $e delete 0 end
    if {$recallpos < $n} { $e insert 0 [lindex $recalled $recallpos] }
    $e icursor end
}

# Inserts text at the cursor of the formula. Words get a blank on each side where the
# neighbouring character would otherwise run into them.
proc zt::insert {text} {
    variable win
    set e $win(formula)
    set pos [$e index insert]
    set s [$e get]
    if {[regexp {^[$A-Za-z]} $text]} {
        set before [string index $s [expr {$pos - 1}]]
        set after [string index $s $pos]
        set pad [expr {[regexp {[[:alnum:].)]} $before] ? " " : ""}]
        if {[string index $text 0] eq "\$"} {
            if {![string is space -strict $after]} { append text " " }
        } elseif {[string index $text end] ne "(" && [regexp {[[:alnum:].(]} $after]} {
            append text " "
        }
        set text $pad$text
    }
    $e insert insert $text
    focus $e
}
