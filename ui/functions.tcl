# functions.tcl - the dialog that defines a function (anf), the list of functions (fbr),
# and the polynomial fit dialog (regres). Namespace zt.

namespace eval zt {
    variable df                ;# fields of the function dialog
    array set df {name "" body "" answer "" replace 0 force 0}
    variable fit               ;# fields of the fit dialog
    array set fit {degree 1 poly "" answer ""}
}

# ---- Function dialog

# Opens the function dialog, with 'body' as the body when given.
proc zt::definefunction {{body ""}} {
    variable df
    variable win
    set w $win(deffunc)
    if {![winfo exists $w]} { array set df {name "" body "" replace 0 force 0} }
    if {$body ne ""} { set df(body) $body }
    if {![opendialog $w "qev: define a function" 8p [list focus $w.f.name]]} return
    ttk::label $w.f.lname -text Name
    ttk::entry $w.f.name -textvariable zt::df(name) -width 16
    ttk::label $w.f.lbody -text Body
    ttk::entry $w.f.body -textvariable zt::df(body) -width 40 -font [look Code -font]
    ttk::label $w.f.help -style Note.TLabel -wraplength 310p -text \
        "%0 … %9 stand for the arguments: the body %0^2+1 named sq makes sq(3) equal 10."
    ttk::checkbutton $w.f.replace -text "Replace a function of this name" -variable zt::df(replace)
    ttk::checkbutton $w.f.force -text "Write it untried" -variable zt::df(force)
    ttk::label $w.f.answer -textvariable zt::df(answer) -wraplength 310p
    ttk::frame $w.f.b
    ttk::button $w.f.b.ok -text Define -default active -command zt::definefunctionok
    ttk::button $w.f.b.list -text "List…" -command zt::listfunctions
    ttk::button $w.f.b.close -text Close -command [list destroy $w]
    pack $w.f.b.ok $w.f.b.list $w.f.b.close -side left -padx 2
    grid $w.f.lname $w.f.name -sticky w -pady 2 -padx 2
    grid $w.f.lbody $w.f.body -sticky w -pady 2 -padx 2
    grid configure $w.f.body -sticky ew
    grid $w.f.replace - -sticky w
    grid $w.f.force - -sticky w
    grid $w.f.help - -sticky w -pady 4
    grid $w.f.answer - -sticky w
    grid $w.f.b - -sticky e
    grid columnconfigure $w.f 1 -weight 1
    onreturn $w zt::definefunctionok
    set df(answer) ""
    focus $w.f.name
}

# Writes the function of the dialog to the user's function file, tried first with the
# current unit system (libedit); shows the answer.
proc zt::definefunctionok {} {
    variable df
    variable functions
    variable win
    if {[refused]} return
    set body [string trim [string map {\n " " \r " " \t " "} $df(body)]]
    set why [badname $df(name) function]
    if {$functions eq ""} { set why "There is no function file." }
    if {$why eq ""} { set why [readonly $functions] }
    if {$why eq "" && $body eq ""} { set why "The body is empty." }
    if {$why eq "" && [string first # $body] >= 0} { set why "The body may not hold \"#\"." }
    if {$why ne ""} {
        answercolour $win(deffunc).f.answer 0
        set df(answer) $why
        return $why
    }
    set args [list -f $functions {*}[systemoptions] -name $df(name) -body $body]
    if {$df(replace)} { lappend args -replace }
    if {$df(force)} { lappend args -force }
    return [definitionanswer [qev::edit addfunc {*}$args] zt::df $win(deffunc).f.answer \
        Function zt::loadfunctions]
}

# ---- Function list

proc zt::listfunctions {} {
    variable win
    set w $win(funcs)
    if {![opendialog $w "qev functions" 6p "loadfunctions; focuslist $w.f.list"]} return
    ttk::treeview $w.f.list -columns {name args body} -show headings -selectmode browse \
        -yscrollcommand [list $w.f.sb set] -height 12
    foreach {c t wd} {name Name 75 args Arguments 60 body Body 220} {
        $w.f.list heading $c -text $t -anchor w
        $w.f.list column $c -width [px $wd]
    }
    ttk::scrollbar $w.f.sb -orient vertical -command [list $w.f.list yview]
    ttk::frame $w.f.b
    ttk::button $w.f.b.insert -text Insert -command zt::insertfunction
    ttk::button $w.f.b.define -text "Define…" -command zt::definefunction
    ttk::button $w.f.b.edit -text "Replace…" -command zt::replacefunction
    ttk::button $w.f.b.delete -text "Remove" -command zt::removefunction
    ttk::button $w.f.b.close -text Close -command [list destroy $w]
    pack $w.f.b.insert $w.f.b.define $w.f.b.edit $w.f.b.delete $w.f.b.close -side left -padx 2
    grid $w.f.list $w.f.sb -sticky nsew
    grid $w.f.b - -sticky e -pady {4 0}
    grid columnconfigure $w.f 0 -weight 1
    grid rowconfigure $w.f 0 -weight 1
    bind $w.f.list <Double-1> zt::insertfunction
    bind $w.f.list <Return> {zt::insertfunction; break}
    loadfunctions
    focuslist $w.f.list
}

# Fills the function list, when it is open: names by fbr, arguments and bodies read
# from the file.
proc zt::loadfunctions {} {
    variable functions
    variable win
    set t $win(funcs).f.list
    if {![winfo exists $t] || [refused zt::loadfunctions]} { return 0 }
    $t delete [$t children {}]
    if {$functions eq "" || ![file readable $functions]} { return 0 }
    set f [open $functions]
    fconfigure $f -encoding iso8859-1
    set entries [regexp -all -inline {#[^#]*} [read $f]]
    close $f
    set n 0
    foreach name [entrynames $functions] {
        set args ""
        set body [string trim [string map {_ " "} [lindex $entries $n]]]
        incr n
        regexp {^[^=]*=\s*(.*)$} $body -> body
        if {[regexp {^\((.*)\)\s*func\s+(\d+)$} $body -> inner count]} {
            set body [string trim $inner]
            set args $count
        }
        $t insert {} end -values [list $name $args $body]
    }
    return $n
}

# The row {name args body} of the function selected in the list, {} when none is.
proc zt::selectedfunction {} {
    variable win
    set t $win(funcs).f.list
    if {![winfo exists $t]} { return {} }
    set sel [$t selection]
    if {$sel eq ""} { return {} }
    $t item [lindex $sel 0] -values
}

# Opens the function dialog to replace the selected function, its name and body filled in.
proc zt::replacefunction {} {
    set values [selectedfunction]
    if {$values eq ""} {
        status "Select the function to replace."
        return
    }
    definefunction [lindex $values 2]
    array set zt::df [list name [lindex $values 0] replace 1]
}

# Removes the selected function (or 'name') after asking (unless 'ask' is 0); returns
# what the library said.
proc zt::removefunction {{name ""} {ask 1}} {
    variable functions
    variable win
    if {[refused]} return
    if {$name eq ""} { set name [lindex [selectedfunction] 0] }
    if {$name eq ""} {
        status "Select the function to remove."
        return
    }
    if {[set why [readonly $functions]] ne ""} {
        status $why
        return $why
    }
    if {$ask && [tk_messageBox -parent $win(funcs) -type okcancel -icon question -title "qev: remove a function" \
            -message "Remove the function $name from $functions?"] ne "ok"} return
    set answer [string trim [qev::edit delfunc -f $functions {*}[systemoptions] -name $name]]
    if {$answer eq ""} {
        status "Function $name removed."
        loadfunctions
    } else {
        status $answer
    }
    return $answer
}

# Inserts "name(" of the selected function into the formula.
proc zt::insertfunction {} {
    set values [selectedfunction]
    if {$values eq ""} return
    insert "[lindex $values 0][expr {[lindex $values 1] eq "0" ? "" : "("}]"
}

# ---- Polynomial fit

proc zt::fitdialog {} {
    variable win
    set w $win(fit)
    if {![opendialog $w "qev: fit a polynomial" 8p [list focus $w.f.data]]} return
    ttk::label $w.f.ldeg -text Degree -underline 0
    ttk::spinbox $w.f.degree -from 0 -to 12 -width 4 -textvariable zt::fit(degree)
    ttk::label $w.f.ldata -text "Pairs x y, one per line or in a row:" -underline 0
    text $w.f.data -width 40 -height 10 -font [look Code -font] -undo 1 \
        -yscrollcommand [list $w.f.sb set]
    ttk::scrollbar $w.f.sb -orient vertical -command [list $w.f.data yview]
    ttk::label $w.f.lpoly -text Polynomial
    ttk::entry $w.f.poly -textvariable zt::fit(poly) -state readonly -font [look Code -font]
    ttk::label $w.f.answer -textvariable zt::fit(answer) -wraplength 280p -style Error.TLabel
    ttk::frame $w.f.b
    ttk::button $w.f.b.fit -text Fit -underline 0 -command zt::fitok
    ttk::button $w.f.b.x -text "Insert with x" -underline 12 -command {zt::fitinsert x}
    ttk::button $w.f.b.p -text "Insert with %0" -underline 13 -command {zt::fitinsert %0}
    ttk::button $w.f.b.def -text "Define function…" -underline 0 -command zt::fitdefine
    ttk::button $w.f.b.close -text Close -underline 0 -command [list destroy $w]
    pack $w.f.b.fit $w.f.b.x $w.f.b.p $w.f.b.def $w.f.b.close -side left -padx 2
    grid $w.f.ldeg $w.f.degree -sticky w -pady 2
    grid $w.f.ldata - - -sticky w
    grid $w.f.data - $w.f.sb -sticky nsew
    grid $w.f.lpoly $w.f.poly - -sticky ew -pady {6 2}
    grid configure $w.f.lpoly -sticky w
    grid $w.f.answer - - -sticky w
    grid $w.f.b - - -sticky e
    grid columnconfigure $w.f 1 -weight 1
    grid rowconfigure $w.f 2 -weight 1
    bind $w.f.degree <Return> {zt::fitok; break}
    bind $w.f.data <Control-Return> {zt::fitok; break}
    # Tab leaves the data instead of inserting a tab character.
    bind $w.f.data <Tab> {focus [tk_focusNext %W]; break}
    bind $w <Alt-f> {zt::fitok}
    bind $w <Alt-d> {zt::fitdefine}
    bind $w <Alt-x> {zt::fitinsert x}
    bind $w <Alt-0> {zt::fitinsert %0}
    bind $w <Alt-p> [list focus $w.f.data]
    bind $w <Alt-c> [list destroy $w]
    focus $w.f.data
}

# The data of the fit as regres reads it, "x y x y " (each number followed by one blank),
# from text with numbers separated by blanks, line ends, commas or semicolons; raises an
# error with the reason when the text is not pairs of numbers.
proc zt::fitdata {text} {
    set values [regexp -all -inline {[^\s,;]+} $text]
    foreach v $values {
        if {![string is double -strict $v]} { error "Not a number: $v" }
    }
    if {[llength $values] == 0} { error "There are no data." }
    if {[llength $values] % 2} { error "The data are not pairs: [llength $values] numbers." }
    return "[join $values " "] "
}

# Fits the polynomial of the dialog's degree to its data (regres).
proc zt::fitok {} {
    variable fit
    variable win
    if {[refused]} return
    set fit(poly) ""
    set d [string trim $fit(degree)]
    if {![string is digit -strict $d] || $d > 12} {
        set fit(answer) "The degree is a whole number from 0 to 12."
        return
    }
    if {[catch {fitdata [$win(fit).f.data get 1.0 end]} data]} {
        set fit(answer) $data
        return
    }
    set answer [string trim [regres $d $data]]
    if {[regexp {^[-+0-9.eE*x^ ]*$} $answer]} {
        set fit(poly) [expr {$answer eq "" ? "0" : $answer}]
        set fit(answer) ""
        status "Fitted: $fit(poly)"
    } else {
        set fit(answer) $answer
    }
    return $fit(poly)
}

# The fitted polynomial in brackets, in x or in the placeholder %0.
proc zt::fitpoly {var} {
    variable fit
    if {$fit(poly) eq ""} { return "" }
    return "([string map [list x $var] $fit(poly)])"
}

proc zt::fitinsert {var} {
    set p [fitpoly $var]
    if {$p ne ""} { insert $p }
}

proc zt::fitdefine {} {
    set p [fitpoly %0]
    if {$p ne ""} { definefunction $p }
}
