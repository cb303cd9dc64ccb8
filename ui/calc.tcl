# calc.tcl - the calculator of the window: display options, evaluation with
# qev::answer, the history pane and its menu, formula recall and insertion. Namespace zt.

namespace eval zt {
    # Display options, as the widgets show them; 'raw' shows the engine's own text;
    # 'errors' is the error model, linear or gauss; 'literal' hands formulas to the
    # engine as typed (these two kept in the settings).
    variable opt
    array set opt {complex exp format general digits 10 real 0 raw 0 errors linear literal 0}
    variable statustext ""     ;# the status line
    variable recalled {}       ;# formulas evaluated, oldest first
    variable recallpos 0       ;# index into 'recalled' while stepping with Up/Down
    variable last ""           ;# the engine's text of the last answer that was a result
    variable lastformula ""    ;# its formula
    variable lastpairs {}      ;# the last answer that was a table of pairs, flat x y ...
    variable lastpairsformula ""
    variable log {}            ;# the history's lines: {tag text engine note}; 'engine' is
                               ;# the engine's text of an answer whose 'text' is the display
    variable logline {}        ;# the text line where each line of 'log' starts
}
trace add variable zt::opt(raw) write {apply {args zt::redrawhistory}}
trace add variable zt::opt(errors) write {apply {args {zt::setting errors $zt::opt(errors)}}}
trace add variable zt::opt(literal) write {apply {args {zt::setting literal $zt::opt(literal)}}}

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
# array (its name and answer), 'label' its answer label, 'kind' what was defined;
# 'reload' refreshes its list window. Returns the answer.
proc zt::definitionanswer {answer fields label kind reload} {
    upvar #0 $fields f
    set ok [expr {[string trim $answer] eq ""}]
    answercolour $label $ok
    if {$ok} {
        set f(answer) "Defined $f(name)."
        status "$kind $f(name) defined."
        $reload
    } else {
        set f(answer) [string trim $answer]
    }
    return $answer
}

# Why a name cannot name a library entry (a unit or function), or "" when it can.
proc zt::badname {name what} {
    if {![regexp {^[A-Za-z][^\s#=+\-*/^!(){}%,±]*$} $name]} {
        return "A $what name begins with a letter and holds no blank, \"#\", \"=\" or operator character."
    }
    return ""
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
    if {$opt(errors) eq "gauss"} { lappend o -g }
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
# system and functions, in the unit 'target' when one is given; a formula may end in
# "-> UNIT", which comes before 'target'. Long work shows its progress (progress.tcl).
proc zt::calc {formula {target ""}} {
    variable opt
    dowork {
        qev::answer -progress zt::progress {*}[options] {*}[expr {$opt(literal) ? "-literal" : ""}] \
            {*}[systemoptions] {*}[functionoptions] -q $formula {*}[expr {$target eq "" ? {} : [list $target]}]
    }
}

# Whether a formula names its own target: it holds "->" or ends in "to UNIT".
proc zt::owntarget {formula} {
    regexp {\->|(^|\s)to\s+\S+\s*$} $formula
}

# Whether a text of mtu reports an abandoned search.
proc zt::iserror {answer} { regexp {error #-?\d+} $answer }

# Appends a line to the history with a tag (formula, answer, error, or remark for what
# is said about a formula besides its answer) and keeps the newest line in view; 'engine'
# is the engine's text of an answer, 'note' which error model it used when that is not
# the default.
proc zt::history {text tag {engine ""} {note ""}} {
    variable log
    variable win
    lappend log [list $tag $text $engine $note]
    $win(hist) configure -state normal
    historyline [expr {[llength $log] - 1}]
    $win(hist) configure -state disabled
    $win(hist) see end
}

# Writes line 'k' of the log at the end of the history: an answer as its display, or
# with the option 'raw' as the engine's text.
proc zt::historyline {k} {
    variable log
    variable logline
    variable opt
    variable win
    lassign [lindex $log $k] tag text engine note
    if {$tag eq "answer" && $opt(raw) && $engine ne ""} { set text $engine }
    lset logline $k [lindex [split [$win(hist) index end-1c] .] 0]
    $win(hist) insert end $text $tag
    if {$note ne ""} { $win(hist) insert end "  ($note)" [list $tag note] }
    $win(hist) insert end \n $tag
}

# Writes the whole history anew, for a change of the option 'raw'.
proc zt::redrawhistory {} {
    variable log
    variable win
    variable logline {}
    if {![winfo exists $win(hist)]} return
    $win(hist) configure -state normal
    $win(hist) delete 1.0 end
    for {set k 0} {$k < [llength $log]} {incr k} { historyline $k }
    $win(hist) configure -state disabled
    $win(hist) see end
}

proc zt::clearhistory {} {
    variable log {}
    redrawhistory
}

# The number of the line of the log at the history position 'index', -1 for none.
proc zt::lognumber {index} {
    variable logline
    variable win
    set line [lindex [split [$win(hist) index $index] .] 0]
    lsearch -sorted -integer -bisect $logline $line
}

# The line of the log at the history position 'index', {} when it holds none.
proc zt::logat {index} {
    variable log
    lindex $log [lognumber $index]
}

# The text of the tooltip of an answer: the form not shown, the display or the engine's
# text, cut short when long.
proc zt::othertext {line} {
    variable opt
    lassign $line tag text engine
    if {$tag ne "answer" || $engine eq ""} { return "" }
    set other [expr {$opt(raw) ? "Answer: $text" : "Engine's text: [string trim $engine]"}]
    if {[string length $other] > 600} { set other "[string range $other 0 599]…" }
    return $other
}

# Shows, after a moment, the other form of the answer under the pointer at x, y of 'h'.
proc zt::answertip {h x y} {
    tiplater $h [othertext [logat @$x,$y]]
}

# The formula and answer texts of the history position 'index': {formula answer engine}.
proc zt::entryat {index} {
    variable log
    set k [lognumber $index]
    if {$k < 0} { return {} }
    # The formula is the nearest formula line at or before 'k', the answer the first
    # answer or error after it.
    while {$k > 0 && [lindex $log $k 0] ne "formula"} { incr k -1 }
    set formula [lindex $log $k 1]
    set answer ""
    set engine ""
    foreach line [lrange $log [expr {$k + 1}] end] {
        lassign $line tag text eng
        if {$tag eq "formula"} break
        if {$tag in {answer error}} {
            set answer $text
            set engine $eng
            break
        }
    }
    list $formula $answer $engine
}

# Puts 'text' on the clipboard.
proc zt::clip {text} {
    clipboard clear
    clipboard append $text
    status "Copied: [expr {[string length $text] > 60 ? "[string range $text 0 59]…" : $text}]"
}

# Copies the selected text of the history, else the last answer.
proc zt::copyhistory {} {
    variable win
    if {[$win(hist) tag ranges sel] ne ""} {
        clip [$win(hist) get sel.first sel.last]
    } else {
        clip [lindex [entryat end-2c] 1]
    }
}

# The menu of the history at the pointer: copy or reuse the entry under it.
proc zt::historymenu {h x y rootx rooty} {
    lassign [entryat @$x,$y] formula answer engine
    if {$formula eq ""} return
    set m .histmenu
    destroy $m
    menu $m
    $m add command -label "Copy answer" -command [list zt::clip $answer]
    if {$engine ne ""} {
        $m add command -label "Copy engine's text" -command [list zt::clip [string trim $engine]]
    }
    $m add command -label "Copy formula" -command [list zt::clip $formula]
    $m add command -label "Use formula" -command [list zt::recalltext $formula]
    tk_popup $m $rootx $rooty
}

# Evaluates the formula of the entry, in the unit of the convert-to field when it has
# one and the formula names none: the formula goes to the history, its answer under it
# once the engine gives it; a table of pairs opens the plot window. A formula entered
# while another evaluation runs is refused and stays in the entry.
proc zt::evaluate {} {
    variable recalled
    variable recallpos
    variable win
    variable target
    set e $win(formula)
    set formula [$e get]
    if {[string trim $formula] eq "" || [refused]} return
    if {[lindex $recalled end] ne $formula} { lappend recalled $formula }
    set recallpos [llength $recalled]
    $e delete 0 end
    set goal [expr {[owntarget $formula] ? "" : [string trim $target]}]
    set shown [expr {$goal eq "" ? $formula : "$formula -> $goal"}]
    history $shown formula
    set answer [calc $formula $goal]
    show $shown $answer
    if {$goal ne "" && [dict get $answer status] eq "ok"} { usedtarget $goal }
    focus $e
}

# Shows the answer (a dict of qev::answer) of 'formula' in the history, under the
# formula; remembers results and tables.
proc zt::show {formula answer} {
    variable last
    variable lastformula
    variable lastpairs
    variable lastpairsformula
    variable match
    set status [dict get $answer status]
    set text [string trimright [dict get $answer display]]
    if {$status ne "ok"} {
        history "× $text" error
        remarks $answer
        status [switch -- $status {
            conversion { string cat "The answer could not be converted." }
            stopped    { string cat "The evaluation was stopped." }
            default    { string cat "The formula could not be evaluated." }
        }]
        return
    }
    history $text answer [string trimright [dict get $answer engine]] [dict get $answer note]
    remarks $answer
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

# Writes under an answer (a dict of qev::answer) what is said about its formula besides
# it: how it was rewritten before the engine saw it, warnings and hints, a line each.
proc zt::remarks {answer} {
    foreach r [dict get $answer rewrites] { history "rewrote $r" remark }
    if {[llength [dict get $answer rewrites]] > 1} {
        history "read as [string trim [dict get $answer formula]]" remark
    }
    foreach w [dict get $answer warnings] { history "warning: $w" remark }
    foreach h [dict get $answer hints] { history "hint: $h" remark }
}

# Puts the formula at the history line 'index' back into the entry.
proc zt::recallat {index} {
    variable win
    recalltext [$win(hist) get "$index linestart" "$index lineend"]
}

# Puts 'formula' into the entry.
proc zt::recalltext {formula} {
    variable win
    set e $win(formula)
    $e delete 0 end
    $e insert 0 $formula
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

# Whether an inserted text starts a value: a bracket, a constant or a function.
proc zt::isvalue {text} {
    expr {$text in {( pi e i} || [regexp {^[A-Za-z][A-Za-z0-9_]*\($} $text]}
}

# Inserts text at the cursor of the formula. A value (see 'isvalue') next to a value is
# joined to it by "*", since two values side by side are two answers; other words (a
# unit, an exponent word) get a blank on each side where the neighbouring character
# would otherwise run into them.
proc zt::insert {text} {
    variable win
    set e $win(formula)
    set pos [$e index insert]
    set s [$e get]
    set before [string index $s [expr {$pos - 1}]]
    set after [string index $s $pos]
    set prev [string index [string trimright [string range $s 0 [expr {$pos - 1}]]] end]
    if {[isvalue $text]} {
        # "(" right after a name opens its arguments.
        if {[regexp {[[:alnum:].)]} $prev] && !($text eq "(" && [regexp {[A-Za-z_]} $before])} {
            set text "*$text"
        }
        if {[string index $text end] ne "(" && [regexp {[[:alnum:].(]} $after]} { append text * }
    } elseif {[regexp {^[$A-Za-z]} $text]} {
        set pad [expr {[regexp {[[:alnum:].)]} $before] ? " " : ""}]
        if {[string index $text 0] eq "\$"} {
            if {![string is space -strict $after]} { append text " " }
        } elseif {[regexp {[[:alnum:].(]} $after]} {
            append text " "
        }
        set text $pad$text
    }
    $e insert insert $text
    focus $e
}
