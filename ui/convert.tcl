# convert.tcl - the "convert to" field beside the formula: the unit names of the
# library, completion of the name being typed, and the recent targets. Namespace zt.

namespace eval zt {
    variable target ""         ;# the text of the convert-to field; "" for named units
    variable names {}          ;# the unit names of the units file, in its order
    variable namesof ""        ;# the 'namesstamp' they were read for
    variable completion {}     ;# the names the completion list shows
    variable completeafter ""  ;# the pending 'after' of a completion
}

# The recent targets shown before the user has converted to any.
proc zt::firsttargets {} { return {km/h m/s kJ kWh degC degF ft in lb} }

# What the unit names depend on: the units file, its size and time of change.
proc zt::namesstamp {} {
    set file [unitsfile]
    if {$file eq "" || [catch {list $file [file size $file] [file mtime $file]} stamp]} {
        return [list $file]
    }
    return $stamp
}

# The names of the entries of the current units file (fbr), read again after it changed.
proc zt::unitnames {} {
    variable names
    variable namesof
    set stamp [namesstamp]
    # While the engine is busy the names read last serve.
    if {$stamp ne $namesof && ![busy]} {
        set names [expr {[llength $stamp] > 1 ? [entrynames [lindex $stamp 0] 100000] : {}}]
        set namesof $stamp
    }
    return $names
}

# The name being typed before position 'cursor' of 'text': {start name}, with the name
# "" when the cursor does not follow a letter or digit of a name.
proc zt::wordat {text cursor} {
    set before [string range $text 0 [expr {$cursor - 1}]]
    if {![regexp -indices {[A-Za-z][A-Za-z0-9_]*$} $before at]} { return [list $cursor ""] }
    set start [lindex $at 0]
    list $start [string range $before $start end]
}

# The names of 'names' that complete 'word': those that begin with it, shorter ones
# first, then those that begin with it in another case; at most 'most'.
proc zt::completions {word names {most 60}} {
    if {$word eq ""} { return {} }
    set exact {}
    set other {}
    set n [string length $word]
    foreach name $names {
        if {[string equal -length $n $word $name]} {
            lappend exact $name
        } elseif {[string equal -nocase -length $n $word $name]} {
            lappend other $name
        }
    }
    set bylength [list apply {{a b} {expr {[string length $a] - [string length $b]}}}]
    set all [concat [lsort -command $bylength $exact] [lsort -command $bylength $other]]
    set seen {}
    set out {}
    foreach name $all {
        if {![dict exists $seen $name]} {
            dict set seen $name 1
            lappend out $name
        }
    }
    lrange $out 0 [expr {$most - 1}]
}

# Builds the convert-to field: a combobox of the recent targets that completes names.
proc zt::targetfield {} {
    variable win
    set t $win(target)
    ttk::combobox $t -textvariable zt::target -width 14 -font QevFormula -style Formula.TCombobox \
        -postcommand zt::recenttargets
    tip $t "Convert to: a unit of the library (km/h, kJ, degF); empty for named units.\nTab or Return takes a completion."
    bind $t <KeyPress> {zt::completesoon}
    bind $t <<ComboboxSelected>> {zt::hidecompletion; focus $zt::win(formula)}
    bind $t <Down> {if {[zt::completing]} {zt::completemove 1; break}}
    bind $t <Up> {if {[zt::completing]} {zt::completemove -1; break}}
    bind $t <Tab> {if {[zt::completing]} {zt::completeaccept; break}}
    bind $t <Return> {if {[zt::completing]} {zt::completeaccept} else {zt::evaluate}; break}
    bind $t <KP_Enter> [bind $t <Return>]
    bind $t <Escape> {
        if {[zt::stopwork]} {} elseif {[zt::completing]} {zt::hidecompletion} else {set zt::target ""}
        break
    }
    bind $t <FocusOut> {after 100 zt::hidecompletion}
    bind . <Configure> {+if {"%W" eq "."} zt::hidecompletion}
    ttk::label $t.hint -text "convert to…" -style Hint.TLabel -cursor xterm
    bind $t.hint <1> [list focus $t]
    bind $t <FocusIn> {+zt::targethint}
    bind $t <FocusOut> {+zt::targethint}
    trace add variable zt::target write {apply {args zt::targethint}}
    targethint
}

# Shows the hint "convert to…" in the convert-to field while it is empty and unfocused.
proc zt::targethint {} {
    variable win
    variable target
    set hint $win(target).hint
    if {![winfo exists $hint]} return
    if {$target eq "" && [focus] ne $win(target)} {
        place $hint -x 8p -rely 0.5 -anchor w
    } else {
        place forget $hint
    }
}

# The recent targets in the field's list, newest first.
proc zt::recenttargets {} {
    variable win
    $win(target) configure -values [getsetting targets [firsttargets]]
}

# Puts 'target' first among the recent targets.
proc zt::usedtarget {target} {
    set recent [getsetting targets [firsttargets]]
    set recent [lrange [linsert [lsearch -all -inline -exact -not $recent $target] 0 $target] 0 11]
    setting targets $recent
}

# Completes the name before the cursor once the key just pressed has been taken.
proc zt::completesoon {} {
    variable completeafter
    after cancel $completeafter
    set completeafter [after idle zt::complete]
}

# Shows the names that complete the name before the cursor of the field, or hides the
# list when there are none or the name is complete and alone.
proc zt::complete {} {
    variable win
    variable completion
    set t $win(target)
    if {![winfo exists $t] || [focus] ne $t} { hidecompletion; return }
    lassign [wordat [$t get] [$t index insert]] start word
    set completion [completions $word [unitnames]]
    if {[llength $completion] == 0 || $completion eq [list $word]} {
        hidecompletion
        return
    }
    set p .complete
    if {![winfo exists $p]} {
        toplevel $p -borderwidth 1 -background [look History -bordercolor]
        wm overrideredirect $p 1
        wm withdraw $p
        listbox $p.l -font QevFormula -activestyle none -exportselection 0 -takefocus 0 \
            -yscrollcommand [list $p.sb set]
        ttk::scrollbar $p.sb -orient vertical -command [list $p.l yview]
        grid $p.l $p.sb -sticky nsew
        grid columnconfigure $p 0 -weight 1
        grid rowconfigure $p 0 -weight 1
        bind $p.l <ButtonPress-1> {zt::completeaccept [%W nearest %y]; break}
        bind $p.l <Motion> {%W selection clear 0 end; %W selection set [%W nearest %y]}
    }
    $p.l delete 0 end
    $p.l insert end {*}$completion
    $p.l selection set 0
    $p.l see 0
    $p.l configure -height [expr {min(8, [llength $completion])}]
    if {[llength $completion] > 8} { grid $p.sb } else { grid remove $p.sb }
    set x [winfo rootx $t]
    set y [expr {[winfo rooty $t] + [winfo height $t]}]
    set w [expr {max([winfo width $t], [font measure QevFormula [string repeat M 10]])}]
    update idletasks
    set h [winfo reqheight $p]
    if {$y + $h > [winfo screenheight $t]} { set y [expr {[winfo rooty $t] - $h}] }
    wm geometry $p ${w}x$h+$x+$y
    wm deiconify $p
    raise $p
}

# Whether the completion list is shown.
proc zt::completing {} {
    expr {[winfo exists .complete] && [winfo ismapped .complete]}
}

proc zt::hidecompletion {} {
    variable completeafter
    after cancel $completeafter
    if {[winfo exists .complete]} { wm withdraw .complete }
}

# Moves the choice in the completion list by 'step'.
proc zt::completemove {step} {
    set l .complete.l
    set k [lindex [$l curselection] 0]
    set k [expr {$k eq "" ? 0 : max(0, min([$l size] - 1, $k + $step))}]
    $l selection clear 0 end
    $l selection set $k
    $l see $k
}

# Replaces the name before the cursor by the chosen completion (or the one at 'index').
proc zt::completeaccept {{index ""}} {
    variable win
    set t $win(target)
    set l .complete.l
    if {$index eq ""} { set index [lindex [$l curselection] 0] }
    set name [$l get $index]
    hidecompletion
    if {$name eq ""} return
    set cursor [$t index insert]
    lassign [wordat [$t get] $cursor] start word
    $t delete $start $cursor
    $t insert $start $name
    $t icursor [expr {$start + [string length $name]}]
    focus $t
}
