# units.tcl - unit systems, the unit browser (fbr, bru), "which unit is this?" (mtu) and
# the dialog that defines a unit (anu). Namespace zt.

namespace eval zt {
    variable lib {}            ;# the user's library: dict dir units functions systems
    variable systems {}        ;# dict: unit-system name -> unit-system file
    variable usys ""           ;# the current unit-system file, "" for none
    variable usysname ""       ;# its name, as the combobox shows it
    variable functions ""      ;# the user's function file
    variable match 0           ;# number of the last unit match reported for 'last'
    variable units {}          ;# the unit browser's rows: {name value} ...
    variable unitfilter ""
    variable unitinfo ""
    variable du                ;# fields of the unit dialog
    array set du {name "" unit "" mult "" add1 "" add2 "" answer "" replace 0 force 0}
}

# Opens the user's library (made from the shipped one on first use) and chooses the
# unit system "SI", else the first one found.
proc zt::startlibrary {} {
    variable lib
    variable systems
    variable functions
    if {[catch {qev::userlib} lib]} {
        status "The user's library could not be made: $lib"
        set lib [dict create dir "" units "" functions "" systems {} readonly 1 warning "" problems {}]
    }
    if {[dict get $lib warning] ne ""} { status "[string totitle [dict get $lib warning] 0 0]." }
    set systems [dict get $lib systems]
    set functions [dict get $lib functions]
    if {[llength [dict get $lib problems]]} {
        status [join [dict get $lib problems] " "]
    }
    if {$functions eq "" && [dict get $lib dir] ne ""} {
        set functions [file join [dict get $lib dir] user.functions]
    }
    if {[dict exists $systems SI]} {
        setsystem SI
    } elseif {[dict size $systems] > 0} {
        setsystem [lindex [dict keys $systems] 0]
    } else {
        status "No unit system found in $::qev::library."
    }
}

# Makes the named unit system the current one.
proc zt::setsystem {name} {
    variable systems
    variable usys
    variable usysname
    variable match
    variable win
    set usys [dict get $systems $name]
    set usysname $name
    set match 0
    if {[winfo exists $win(usys)]} { $win(usys) configure -values [dict keys $systems] }
    loadunits
}

proc zt::pickedsystem {} {
    variable usysname
    variable win
    setsystem $usysname
    focus $win(formula)
}

# Adds a unit-system file chosen by the user and makes it current; false when the
# file does not hold the eight words of a unit system.
proc zt::addsystem {path} {
    variable systems
    if {[catch {qev::readsystem $path}]} {
        status "Not a unit-system file (seven words and the path of a units file): $path"
        return 0
    }
    set name [file rootname [file tail $path]]
    set base $name
    for {set k 2} {[dict exists $systems $name] && [dict get $systems $name] ne $path} {incr k} {
        set name "$base ($k)"
    }
    dict set systems $name $path
    setsystem $name
    return 1
}

proc zt::othersystem {} {
    variable lib
    set dir [dict get $lib dir]
    set path [tk_getOpenFileName -parent . -title "Unit system file" \
        -initialdir [expr {$dir ne "" ? $dir : [pwd]}] \
        -filetypes {{"Unit systems" .usys} {"All files" *}}]
    if {$path ne ""} { addsystem $path }
}

proc zt::systemoptions {} {
    variable usys
    expr {$usys eq "" ? {} : [list -u $usys]}
}

proc zt::functionoptions {} {
    variable functions
    expr {$functions ne "" && [file exists $functions] ? [list -f $functions] : {}}
}

# The units file named by the current unit system, "" when there is none.
proc zt::unitsfile {} {
    variable usys
    if {$usys eq "" || [catch {qev::readsystem $usys} words]} { return "" }
    lindex $words 7
}

# The names of the entries of the library file 'file' (fbr), in its order; at most 'most'.
proc zt::entrynames {file {most 10000}} {
    set names {}
    for {set n 1} {$n <= $most} {incr n} {
        set name [string trim [fbr $file $n]]
        if {$name eq ""} break
        lappend names $name
    }
    return $names
}

# Why the library file 'file' may not be written, or "": it is one of the shipped
# library's, which stands in for the user's.
proc zt::readonly {file} {
    variable lib
    set files [list [dict get $lib units] [dict get $lib functions] {*}[dict values [dict get $lib systems]]]
    if {[dict get $lib readonly] && $file in $files} {
        return "The shipped library is read-only: there is no user library to define in."
    }
    return ""
}

# ---- Which unit is this?

# Names the unit of the last result: the first match, or with 'next' the one after the
# match shown last (mtu -t); after the last match the count starts again.
proc zt::whichunit {next} {
    variable last
    variable lastformula
    variable match
    if {[refused]} return
    if {$last eq ""} {
        status "There is no result to name the unit of yet."
        return
    }
    set match [expr {$next ? $match + 1 : 1}]
    set answer [string trim [mtu {*}[systemoptions] -t $match -q $last]]
    if {[iserror $answer]} {
        history "× unit of $lastformula (match $match): $answer" error
        status "No further unit matches; the next search starts again at the first."
        set match 0
    } else {
        history "unit of $lastformula (match $match): $answer" note
        status "Unit: $answer"
    }
    return $answer
}

# ---- Unit browser

proc zt::browseunits {} {
    variable win
    set w $win(units)
    set filter $win(unitfilter)
    set list $win(unitlist)
    if {![opendialog $w "qev units" 6p [list focus $filter]]} return
    wm minsize $w [px 300] [px 200]
    ttk::label $w.f.fl -text "Filter:" -underline 0
    ttk::entry $filter -textvariable zt::unitfilter
    ttk::treeview $list -columns {name value} -show headings -selectmode browse \
        -yscrollcommand [list $w.f.sb set] -height 16
    $list heading name -text Name -anchor w
    $list heading value -text "Value in base units" -anchor w
    $list column name -width [px 80] -stretch 0
    $list column value -width [px 280]
    ttk::scrollbar $w.f.sb -orient vertical -command [list $list yview]
    ttk::label $w.f.info -textvariable zt::unitinfo -anchor w
    ttk::frame $w.f.b
    ttk::button $w.f.b.insert -text Insert -underline 0 -command zt::insertunit
    ttk::button $w.f.b.define -text "Define…" -underline 0 -command zt::defineunit
    ttk::button $w.f.b.edit -text "Replace…" -underline 2 -command zt::replaceunit
    ttk::button $w.f.b.delete -text "Remove" -underline 2 -command zt::removeunit
    ttk::button $w.f.b.refresh -text Refresh -underline 0 -command zt::loadunits
    ttk::button $w.f.b.close -text Close -underline 0 -command [list destroy $w]
    pack $w.f.b.insert $w.f.b.define $w.f.b.edit $w.f.b.delete $w.f.b.refresh $w.f.b.close \
        -side left -padx 2
    grid $w.f.fl $filter - -sticky ew -pady {0 4}
    grid $list - $w.f.sb -sticky nsew
    grid $w.f.info - - -sticky ew
    grid $w.f.b - - -sticky e -pady {4 0}
    grid configure $w.f.fl -sticky w
    grid columnconfigure $w.f 1 -weight 1
    grid rowconfigure $w.f 1 -weight 1

    trace add variable zt::unitfilter write zt::filterunits
    bind $w <Destroy> "if {{%W} eq {$w}} {trace remove variable zt::unitfilter write zt::filterunits}"
    bind $filter <Down> "zt::focuslist $list; break"
    bind $filter <Return> "zt::focuslist $list; zt::insertunit; break"
    bind $list <Double-1> {zt::insertunit}
    bind $list <Return> {zt::insertunit; break}
    bind $w <Alt-f> [list focus $filter]
    bind $w <Alt-i> {zt::insertunit}
    bind $w <Alt-d> {zt::defineunit}
    bind $w <Alt-p> {zt::replaceunit}
    bind $w <Alt-m> {zt::removeunit}
    bind $w <Alt-r> {zt::loadunits}
    bind $w <Alt-c> [list destroy $w]
    loadunits
    focus $filter
}

# Reads every entry of the units file into the unit browser, when it is open: its name
# (fbr) and its value in base units (bru).
proc zt::loadunits {} {
    variable units
    variable opt
    variable win
    if {![winfo exists $win(units)]} { return 0 }
    if {[refused zt::loadunits]} { return [llength $units] }
    set units {}
    set file [unitsfile]
    if {$file ne ""} {
        # bru has no "-ce": the exponential form is the engine's default.
        set base [systemoptions]
        if {$opt(complex) eq "rect"} { lappend base -cr }
        lappend base -S1 -p [lindex [options] 3]
        set n 0
        foreach name [entrynames $file] {
            set answer [bru {*}$base -q [incr n]]
            if {![regexp {^\S*  (.*)$} $answer -> value]} { set value $answer }
            lappend units [list $name [string trim $value]]
        }
    }
    filterunits
    return [llength $units]
}

# Shows the units whose names hold the filter text (any case).
proc zt::filterunits {args} {
    variable units
    variable unitfilter
    variable unitinfo
    variable usysname
    variable win
    set t $win(unitlist)
    if {![winfo exists $t]} return
    $t delete [$t children {}]
    set want [string tolower [string trim $unitfilter]]
    set shown 0
    foreach row $units {
        if {$want eq "" || [string first $want [string tolower [lindex $row 0]]] >= 0} {
            $t insert {} end -values $row
            incr shown
        }
    }
    set unitinfo "$shown of [llength $units] units of $usysname"
}

# Moves the focus into a treeview, on its selected or first row.
proc zt::focuslist {t} {
    set sel [$t selection]
    if {$sel eq ""} {
        set sel [lindex [$t children {}] 0]
        if {$sel eq ""} return
        $t selection set $sel
    }
    $t focus [lindex $sel 0]
    $t see [lindex $sel 0]
    focus $t
}

# The name of the unit selected in the browser, "" when none is.
proc zt::selectedunit {} {
    variable win
    if {![winfo exists $win(unitlist)]} { return "" }
    set sel [$win(unitlist) selection]
    if {$sel eq ""} { return "" }
    lindex [$win(unitlist) item [lindex $sel 0] -values] 0
}

# Inserts the name of the selected unit into the formula.
proc zt::insertunit {} {
    set name [selectedunit]
    if {$name ne ""} { insert $name }
}

# Opens the unit dialog to replace the selected unit: its name is filled in.
proc zt::replaceunit {} {
    set name [selectedunit]
    if {$name eq ""} {
        set zt::unitinfo "Select the unit to replace."
        return
    }
    defineunit
    array set zt::du [list name $name replace 1]
}

# Removes the selected unit (or 'name') from the units file after asking (unless 'ask'
# is 0); shows what the library said. Returns that answer.
proc zt::removeunit {{name ""} {ask 1}} {
    variable unitinfo
    variable win
    variable usys
    if {[refused]} return
    if {$name eq ""} { set name [selectedunit] }
    if {$name eq ""} {
        set unitinfo "Select the unit to remove."
        return
    }
    if {[set why [readonly $usys]] ne ""} { return [set unitinfo $why] }
    if {$ask && [tk_messageBox -parent $win(units) -type okcancel -icon question -title "qev: remove a unit" \
            -message "Remove the unit $name from [unitsfile]?"] ne "ok"} return
    set answer [string trim [qev::edit delunit {*}[systemoptions] -name $name]]
    if {$answer eq ""} {
        status "Unit $name removed."
        loadunits
        set unitinfo "Removed $name."
    } else {
        set unitinfo $answer
    }
    return $answer
}

# ---- Unit dialog

proc zt::defineunit {} {
    variable win
    set w $win(defunit)
    if {![opendialog $w "qev: define a unit" 8p [list focus $w.f.name]]} return
    set row 0
    foreach {key label} {
        name "Name" unit "Known units (e.g. m/s, kg m^2)" mult "Factor (1 if empty)"
        add1 "Offset before the factor" add2 "Offset after the factor"
    } {
        ttk::label $w.f.l$key -text $label
        ttk::entry $w.f.$key -textvariable zt::du($key) -width 28
        grid $w.f.l$key $w.f.$key -sticky w -pady 2 -padx 2
        grid configure $w.f.$key -sticky ew
        incr row
    }
    ttk::checkbutton $w.f.replace -text "Replace a unit of this name" -variable zt::du(replace)
    ttk::checkbutton $w.f.force -text "Write it untried (it uses units defined later)" -variable zt::du(force)
    grid $w.f.replace - -sticky w
    grid $w.f.force - -sticky w
    ttk::label $w.f.help -wraplength 280p -style Note.TLabel -text \
        "A number x before the name stands for ((x + offset before) × factor + offset after) in the known units."
    ttk::label $w.f.answer -textvariable zt::du(answer) -wraplength 280p -style Error.TLabel
    ttk::frame $w.f.b
    ttk::button $w.f.b.ok -text Define -default active -command zt::defineunitok
    ttk::button $w.f.b.close -text Close -command [list destroy $w]
    pack $w.f.b.ok $w.f.b.close -side left -padx 2
    grid $w.f.help - -sticky w -pady 4
    grid $w.f.answer - -sticky w
    grid $w.f.b - -sticky e
    grid columnconfigure $w.f 1 -weight 1
    onreturn $w zt::defineunitok
    array set zt::du {name "" unit "" mult "" add1 "" add2 "" answer "" replace 0 force 0}
    focus $w.f.name
}

# Why a unit definition cannot be written, or "" when it can.
proc zt::badunit {} {
    variable du
    variable usys
    if {$usys eq ""} { return "No unit system is chosen." }
    if {[set why [readonly $usys]] ne ""} { return $why }
    if {[set why [badname $du(name) unit]] ne ""} { return $why }
    if {[regexp {[#\n\r]} $du(unit)]} { return "The known units may not hold \"#\"." }
    foreach {key label} {mult factor add1 "offset before" add2 "offset after"} {
        set v [string trim $du($key)]
        if {$v ne "" && ![string is double -strict $v]} { return "The $label must be a number." }
    }
    return ""
}

# Writes the unit of the dialog to the units file, tried first (libedit); shows the
# answer.
proc zt::defineunitok {} {
    variable du
    variable win
    if {[refused]} return
    set why [badunit]
    if {$why ne ""} {
        answercolour $win(defunit).f.answer 0
        set du(answer) $why
        return $why
    }
    set args [list {*}[systemoptions] -name $du(name)]
    foreach key {unit mult add1 add2} {
        set v [string trim $du($key)]
        if {$v ne ""} { lappend args -$key $v }
    }
    if {$du(replace)} { lappend args -replace }
    if {$du(force)} { lappend args -force }
    return [definitionanswer [qev::edit addunit {*}$args] zt::du $win(defunit).f.answer Unit zt::loadunits]
}
