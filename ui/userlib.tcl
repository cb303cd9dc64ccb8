# userlib.tcl - the user's own library, shared by the window and the command line.
#
# The shipped library (the folder $::qev::library) is never modified. The user's units
# and function files in the per-user data folder ($XDG_DATA_HOME/qev, or
# ~/.local/share/qev) hold the shipped entries and the user's own: made from the
# shipped files on first use, and made anew from them whenever the shipped files
# change (libedit upgrade), the user's entries kept in their order. The folder
# "shipped" beside them keeps a copy of the shipped files they were made from, which
# tells the shipped entries from the user's. Every unit-system file (*.usys) is written
# there with its units file pointing at the user's copy, so definitions added with anu,
# anf and libedit persist.

namespace eval qev {}

# The per-user data folder.
proc qev::userdir {} {
    if {[info exists ::env(XDG_DATA_HOME)] && [file pathtype $::env(XDG_DATA_HOME)] eq "absolute"} {
        return [file join $::env(XDG_DATA_HOME) qev]
    }
    return [file join [file normalize ~] .local share qev]
}

# Makes sure the user's library exists and is up to date with the shipped one, and
# returns a dict: dir, units (the user's units file), functions (the user's function
# file), systems (a dict name -> unit-system file), problems (what could not be brought
# up to date, a list of messages).
proc qev::userlib {} {
    set dir [qev::userdir]
    file mkdir $dir [file join $dir shipped]
    set units ""
    set functions ""
    set systems [dict create]
    set problems {}
    foreach src [lsort [glob -nocomplain -directory $::qev::library *]] {
        set name [file tail $src]
        set dst [file join $dir $name]
        switch -glob -- $name {
            *.usys {
                set f [open $src]
                set words [regexp -all -inline {\S+} [read $f]]
                close $f
                if {[llength $words] < 8} continue
                set unitsname [file tail [lindex $words 7]]
                set words [lreplace $words 7 7 [file join $dir $unitsname]]
                if {![file exists $dst]} {
                    set f [open $dst w]
                    puts $f [join $words " "]
                    close $f
                }
                dict set systems [file rootname $name] $dst
                continue
            }
            *.units - *.functions {
                set answer [libedit upgrade -file $dst -base $src -reference [file join $dir shipped $name]]
                if {$answer ne ""} { lappend problems [string trim $answer] }
            }
            default {
                if {![file exists $dst]} {
                    file copy $src $dst
                    file attributes $dst -permissions 0664
                }
            }
        }
        switch -glob -- $name {
            *.units { set units $dst }
            *.functions { set functions $dst }
        }
    }
    return [dict create dir $dir units $units functions $functions systems $systems problems $problems]
}

# The units file named by a unit-system file, "" when it names none.
proc qev::unitsfileof {usys} {
    if {[catch {
        set f [open $usys]
        set words [regexp -all -inline {\S+} [read $f 100000]]
        close $f
    }] || [llength $words] < 8} { return "" }
    lindex $words 7
}

# Runs 'libedit op' with the options 'args'; for a file of the user's library (the
# units file of -u, or -f) the copy of the shipped file it was made from is added, so
# that shipped entries can be replaced and not removed.
proc qev::edit {op args} {
    set file ""
    for {set k 0} {$k < [llength $args]} {incr k} {
        set w [lindex $args $k]
        if {$w in {-replace -force}} continue
        set v [lindex $args [incr k]]
        if {$w eq "-f" && [string match *func $op]} { set file $v }
        if {$w eq "-u" && [string match *unit $op]} { set file [qev::unitsfileof $v] }
    }
    if {$file ne ""} {
        set ref [file join [file dirname $file] shipped [file tail $file]]
        if {[file dirname $file] eq [qev::userdir] && [file isfile $ref]} { lappend args -shipped $ref }
    }
    libedit $op {*}$args
}
