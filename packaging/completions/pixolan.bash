# bash completion for pixolan: sub-commands, their options and the values of --format.

_pixolan() {
    local cur=${COMP_WORDS[COMP_CWORD]} prev=${COMP_WORDS[COMP_CWORD - 1]}
    local command="" i
    for ((i = 1; i < COMP_CWORD; i++)); do
        case ${COMP_WORDS[i]} in
        list | identify | formats)
            command=${COMP_WORDS[i]}
            break
            ;;
        esac
    done

    local formats
    case $command in
    list) formats="tsv csv json jsonl html" ;;
    identify) formats="text tsv csv json jsonl" ;;
    formats) formats="tsv csv json jsonl" ;;
    esac
    case $prev in
    --format)
        COMPREPLY=($(compgen -W "$formats" -- "$cur"))
        return
        ;;
    --ratio | --screen | --playing | --from | --to | --min-height | --max-height | \
        --width-div | --height-div | --width-not-div | --height-not-div | --reference)
        COMPREPLY=() # a value to type
        return
        ;;
    esac

    local words
    case $command in
    list)
        words="--ratio --from --to --min-height --max-height --width-div --height-div
            --width-not-div --height-not-div --screen --playing --rotated --reference --names
            --format --no-header --help"
        ;;
    identify) words="--format --help -" ;;
    formats) words="--format --help" ;;
    *) words="list identify formats --help --version" ;;
    esac
    COMPREPLY=($(compgen -W "$words" -- "$cur"))
}

complete -F _pixolan pixolan
