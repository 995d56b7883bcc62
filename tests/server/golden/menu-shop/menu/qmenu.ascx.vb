Imports System.IO
Imports System.Threading
Imports System.Globalization
Imports System.Web.HttpServerUtility
Imports System.Web.HttpContext
Imports System.Data
Imports System.Configuration
Imports Commerce.Common
Imports SubSonic
Imports Microsoft.VisualBasic

    Partial Class qmenu
    Inherits System.Web.UI.UserControl

    Private Sub Page_Load(ByVal sender As System.Object, ByVal e As System.EventArgs) Handles MyBase.Load
        Dim path, content as string
        path = server.mappath("/menu/qmenu.js")
        content = menu()
        content = bilingual.LocalizeMarkedupString(content, "zh-CN")
        My.Computer.FileSystem.WriteAllText(path, content, False, System.Text.Encoding.Default)
    End Sub

    Private Function menu() As String
        Dim wv As String = ""
        ' 576 statements of script text
        wv = wv & CSKDirectory("S1","optCSKCategories","e1d2",0,True,"normal") & vbnewline 
        ' 12 statements of script text
        Return wv
    End Function

    # Region "CSK functions"
    Public Function simplifiedChinese(ByVal text As String) As String
        Return StrConv(text, VbStrConv.SimplifiedChinese, 2052)
    End Function

    ' The entries of a shop catalogue tree.
    Public Function CSKDirectory(ByVal parentSku As String, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef firstDirectory As Boolean, ByVal job As String) As String
        Dim w As String = ""
        Dim lengths As String = "2"
        Dim widths As String = ""
        secn = nextD(secn)
        Select Case txtOptions
            Case "optCSKCategories"
                Dim parentID As Integer = 0
                If parentSku <> "" Then
                    parentID = New Category("sku", parentSku).CategoryID
                End If
                CSKDirectory1(w, parentID, secn, indent, lengths, widths, firstDirectory, job)
            Case "optCSKAuthorType"
                CSKAuthorDirectory(w, secn, indent, lengths, widths, firstDirectory, job)
            Case "optCSKAudienceType"
                CSKBookAudienceDirectory(w, secn, indent, lengths, widths, firstDirectory, job)
            Case Else
                If InStr(txtOptions, "Publishers") > 0 Then
                    CSKPublishersDirectory(w, txtOptions, secn, indent, lengths, widths, firstDirectory, job)
                Else
                    batchLinkLine(w, "", "", "Unrecognized option - " & txtOptions, "", secn, indent, lengths, widths, firstDirectory, job)
                End If
        End Select
        Return w
    End Function

    Public Sub CSKPublishersDirectory(ByRef w As String, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef lengths As String, ByRef widths As String, ByRef firstDirectory As Boolean, ByVal job As String)
        Dim publishers As New PublisherCollection()
        If InStr(txtOptions, "Chinese") > 0 Then
            publishers.Where("PublishInChinese", True)
        End If
        If InStr(txtOptions, "English") > 0 Then
            publishers.Where("PublishInEnglish", True)
        End If
        If InStr(txtOptions, "Reformed") > 0 Then
            publishers.Where("isReformedPublisher", True)
        End If
        For Each publisher As Publisher In publishers.OrderByAsc("listOrder").Load()
            batchLinkLine(w, "", "/publisher/" & publisher.Sku & ".aspx", getLinkName(publisher.ChineseName, publisher.EnglishName, job), "", secn, indent, lengths, widths, firstDirectory, job)
        Next
    End Sub

    Public Sub CSKBookAudienceDirectory(ByRef w As String, ByRef secn As String, ByVal indent As Integer, ByRef lengths As String, ByRef widths As String, ByRef firstDirectory As Boolean, ByVal job As String)
        For Each audience As BookAudience In New BookAudienceCollection().OrderByAsc("listOrder").Load()
            batchLinkLine(w, "", "/audience/" & audience.Sku & ".aspx", getLinkName(audience.ChineseName, audience.EnglishName, job), "", secn, indent, lengths, widths, firstDirectory, job)
        Next
    End Sub

    Public Sub CSKAuthorDirectory(ByRef w As String, ByRef secn As String, ByVal indent As Integer, ByRef lengths As String, ByRef widths As String, ByRef firstDirectory As Boolean, ByVal job As String)
        For Each author As AuthorType In New AuthorTypeCollection().OrderByAsc("listOrder").Load()
            batchLinkLine(w, "", "/authorcategory/" & author.Sku & ".aspx", getLinkName(author.ChineseName, author.EnglishName, job), "", secn, indent, lengths, widths, firstDirectory, job)
        Next
    End Sub

    ' A category with sub-categories is a folder whose first entry links to
    ' the category itself.
    Public Sub CSKDirectory1(ByRef w As String, ByVal parentID As Integer, ByRef secn As String, ByVal indent As Integer, ByRef lengths As String, ByRef widths As String, ByRef firstDirectory As Boolean, ByVal job As String)
        For Each category As Category In New CategoryCollection().Where("parentID", parentID).OrderByAsc("listOrder").Load()
            Dim address As String = "/category/" & category.Sku & ".aspx"
            Dim name As String = getLinkName(category.ChineseName, category.EnglishName, job)
            Dim children As CategoryCollection = New CategoryCollection().Where("parentID", category.CategoryID).Load()
            If children.Count > 0 Then
                batchFolderLine(w, name, "", secn, indent, lengths, widths, firstDirectory, job)
                Dim childLengths As String = "2"
                Dim childWidths As String = ""
                Dim childFirst As Boolean = False
                ' The Chinese "(all)" by its character codes, so that the file
                ' keeps to the code page. The link steps its id to secn & "d0".
                Dim allChinese As String = "(" & ChrW(20840) & ChrW(37096) & ")"
                Dim allSecn As String = secn & "d-20"
                batchLinkLine(w, "", address, getLinkName(category.ChineseName & allChinese, category.EnglishName & " (all)", job), "", allSecn, indent + 1, childLengths, childWidths, childFirst, job)
                Dim childSecn As String = secn & "d20"
                CSKDirectory1(w, category.CategoryID, childSecn, indent + 1, childLengths, childWidths, childFirst, job)
                If job = "normal" Then
                    w = w & f("de") & "();" & vbNewLine
                End If
            Else
                batchLinkLine(w, "", address, name, "", secn, indent, lengths, widths, firstDirectory, job)
            End If
        Next
    End Sub

    ' Script data carry the traditional, simplified and English names; the
    ' site map marks the text up for the page's own localisation step.
    Public Function getLinkName(ByVal chinese As String, ByVal english As String, ByVal job As String) As String
        If job = "siteMap" Then
            Return "[qML]" & chinese & ";;" & english & "[/qML]"
        End If
        Return chinese & ";;" & simplifiedChinese(chinese) & ";;" & english
    End Function

    ' One link to a product status page.
    Public Function StatusLink(ByVal status As Integer, ByRef secn As String, ByVal indent As Integer, ByRef firstDirectory As Boolean, ByVal job As String) As String
        Dim w As String = ""
        Dim lengths As String = "2"
        Dim widths As String = ""
        Dim chinese As String = ProductStatusTranslation.GetStatusText(status, "zh-TW")
        Dim english As String = ProductStatusTranslation.GetStatusText(status, "en-US")
        batchLinkLine(w, "", "/status/" & CStr(status) & ".aspx", getLinkName(chinese, english, job), "", secn, indent, lengths, widths, firstDirectory, job)
        Return w
    End Function
    # End Region

    # Region "Common to batch options"
    ' One folder entry: a site map line, or an mf or sf call that opens a
    ' sub-menu.
    Public Sub batchFolderLine(ByRef w As String, ByVal name As String, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        If isMainFolder(secn) And Not firstDirectory Then
            secn = nextColumn(secn)
            w = replaceColWidthVariable(w, nameLengthList, colWidthList)
            nameLengthList = "2"
            colWidthList = "[$" & secn & "$]"
        End If
        secn = nextD(secn)
        nameLengthList = increaseLength(name, nameLengthList)
        If job = "siteMap" Then
            w = w & smFolder(replaceDash(name, txtOptions), indent, isMainFolder(secn))
            Return
        End If
        Dim text As String = replaceDash(name.Replace("""", "'"), txtOptions)
        Dim k As String = ""
        k = "dd"
        If isMainFolder(secn) Then
            k = k & ".00"
        End If
        If isMainFolder(secn) Then
            If Not firstDirectory Then
                w = w & f("col") & "();" & vbNewLine
            End If
            firstDirectory = False
            w = w & f("mf") & "(""" & secn & """,""" & k & """,""" & text & """,""""," & """" & colWidthList & """);" & vbNewLine
        Else
            w = w & f("sf") & "(""" & secn & """,""" & k & """,""" & text & """,""""," & """" & colWidthList & """);" & vbNewLine
        End If
    End Sub

    ' One link: a site map line, a main-menu entry that is itself a link
    ' (mf and de) at the top level, or an lk call below it.
    Public Sub batchLinkLine(ByRef w As String, ByVal k As String, ByVal jsUrl As String, ByVal name As String, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        Dim text As String = replaceDash(name, txtOptions)
        If job = "siteMap" Then
            w = w & smLink(text, False, jsUrl, indent)
            Return
        End If
        If Left(txtOptions, 1) = "i" Or Left(txtOptions, 1) = "e" Then
            k = k & Left(txtOptions, 1)
        End If
        k = k & "dd"
        If isMainFolder(secn) Then
            If Not firstDirectory Then
                w = w & f("col") & "();" & vbNewLine
                w = replaceColWidthVariable(w, nameLengthList, colWidthList)
                secn = nextColumn(secn)
                colWidthList = "[$" & secn & "$]"
                nameLengthList = "2"
            End If
            firstDirectory = False
            secn = nextD(secn)
            w = w & f("mf") & "(""" & secn & """,""" & k & "nf"",""" & text & """,""" & jsUrl & """,""" & colWidthList & """);" & vbNewLine & f("de") & "();" & vbNewLine
        Else
            secn = nextD(secn)
            w = w & f("lk") & "(""" & secn & """,""" & k & """,""" & text & """,""" & jsUrl & """,""" & colWidthList & """);" & vbNewLine
        End If
    End Sub

    Public Function smFolder(ByVal name As String, ByVal indent As Integer, ByVal mainFolder As Boolean) As String
        Dim text As String = name
        Dim spaces As String = ""
        For i As Integer = 1 To indent
            spaces = spaces & "&nbsp;&nbsp;&nbsp;"
        Next
        If mainFolder Then
            Return "<p class='" & cssClassName("MainFolderBox") & "'>" & spaces & "<span class='" & cssClassName("MainFolderLine") & "'>" & text & "</span></p>" & vbNewLine
        End If
        Return "<p class='" & cssClassName("SubFolderBox") & "'>" & spaces & "<span class='" & cssClassName("SubFolderLine") & "'>" & text & "</span></p>" & vbNewLine
    End Function

    Public Function smLink(ByVal name As String, ByVal noImage As Boolean, ByVal address As String, ByVal indent As Integer) As String
        Dim text As String = name
        If Trim(text) = "" Then
            text = "(Missing name)"
        End If
        Dim spaces As String = ""
        For i As Integer = 1 To indent
            spaces = spaces & "&nbsp;&nbsp;&nbsp;"
        Next
        Dim image As String = ""
        If Not noImage Then
            image = ""
        End If
        Return "<p class='" & cssClassName("LinkBox") & "'>" & spaces & image & "<a href=""" & address & """><span class='" & cssClassName("LinkLine") & "'>" & text & "</span></a></p>" & vbNewLine
    End Function

    ' With "dash||" every "_" of a name is shown as a blank.
    Public Function replaceDash(ByVal text As String, ByVal txtOptions As String) As String
        If InStr(txtOptions, "dash||") > 0 Then
            Return text.Replace("_", " ")
        End If
        Return text
    End Function

    ' The finished level's width in place of its placeholder. Only a
    ' placeholder is replaced: a fixed width is text that may stand elsewhere.
    Public Function replaceColWidthVariable(ByVal w As String, ByVal nameLengthList As String, ByVal colWidthList As String) As String
        If Left(colWidthList, 2) <> "[$" Then
            Return w
        End If
        Return w.Replace(colWidthList, getColWidthList(pixelBase, pixelsPerCharacter, nameLengthList))
    End Function
    # End Region

    # Region "Common functions"
    ' Ids made on the server step by 20, so they stay apart from the ids the
    ' menu was written with.
    Public Function nextD(ByVal secn As String) As String
        Dim p As Integer = secn.LastIndexOf("d")
        Return secn.Substring(0, p + 1) & CStr(CInt(secn.Substring(p + 1)) + 20)
    End Function

    ' The first id of the next column.
    Public Function nextColumn(ByVal secn As String) As String
        Dim p As Integer = secn.IndexOf("d")
        Return "e" & CStr(CInt(secn.Substring(1, p - 1)) + 20) & "d0"
    End Function

    Public Function isMainFolder(ByVal secn As String) As Boolean
        Return secn.IndexOf("d") >= 0 And secn.IndexOf("d") = secn.LastIndexOf("d")
    End Function

    ' The script's fixed function names, in their readable form.
    Public Function f(ByVal name As String) As String
        Return "q" & name.ToUpper()
    End Function

    Public Function cssClassName(ByVal classKey As String) As String
        Select Case classKey
            Case "LinkPage"
                Return "LinkPage"
            Case "MainFolderPage"
                Return "MainFolderPage"
            Case "MainFolderBox"
                Return "MainFolderBox"
            Case "MainFolderLine"
                Return "MainFolderLine"
            Case "SubFolderPage"
                Return "SubFolderPage"
            Case "SubFolderBox"
                Return "SubFolderBox"
            Case "SubFolderLine"
                Return "SubFolderLine"
            Case "LinkBox"
                Return "LinkBox"
            Case "LinkLine"
                Return "LinkLine"
            Case "MenuTreeBox"
                Return "MenuTreeBox"
            Case Else
                Return ""
        End Select
    End Function
    # End Region

    # Region "Common - Parse lists"
    ' The project's language codes, each ended by ";;" (empty for one
    ' language), and the automatic width's pixel values.
    Private Const languageList As String = ""
    Private Const pixelBase As String = ""
    Private Const pixelsPerCharacter As String = ""

    ' The width for every language (an item missing from a shorter list
    ' takes its first item), each ended by ";;"; one plain value without
    ' languages.
    Public Function getColWidthList(ByVal baseList As String, ByVal perCharacterList As String, ByVal lengthList As String) As String
        Dim basePosition As Integer = 1
        Dim perCharacterPosition As Integer = 1
        Dim lengthPosition As Integer = 1
        Dim firstBase As String = getNextString(baseList, basePosition)
        Dim firstPerCharacter As String = getNextString(perCharacterList, perCharacterPosition)
        Dim firstLength As String = getNextString(lengthList, lengthPosition)
        If languageList = "" Then
            Return getColWidthElement(firstBase, firstPerCharacter, firstLength)
        End If
        Dim base As String = firstBase
        Dim perCharacter As String = firstPerCharacter
        Dim length As String = firstLength
        Dim result As String = ""
        Dim languagePosition As Integer = 1
        Dim language As String = getNextString(languageList, languagePosition)
        While language <> ""
            result = result & getColWidthElement(base, perCharacter, length) & ";;"
            base = getNextString(baseList, basePosition)
            If base = "" Then
                base = firstBase
            End If
            perCharacter = getNextString(perCharacterList, perCharacterPosition)
            If perCharacter = "" Then
                perCharacter = firstPerCharacter
            End If
            length = getNextString(lengthList, lengthPosition)
            If length = "" Then
                length = firstLength
            End If
            language = getNextString(languageList, languagePosition)
        End While
        Return result
    End Function

    ' base + per character x length, in pixels; 40, 7 and 10 stand in for
    ' values that are not numbers.
    Public Function getColWidthElement(ByVal base As String, ByVal perCharacter As String, ByVal length As String) As String
        Dim b As Integer
        Dim c As Integer
        Dim n As Integer
        If Not Integer.TryParse(base, b) Then
            b = 40
        End If
        If Not Integer.TryParse(perCharacter, c) Then
            c = 7
        End If
        If Not Integer.TryParse(length, n) Then
            n = 10
        End If
        Return CStr(b + c * n) & "px"
    End Function

    ' Per language, the larger of the stored length and the length of the
    ' name's item for that language.
    Public Function increaseLength(ByVal name As String, ByVal lengthList As String) As String
        If languageList = "" Then
            Return increaseLengthElement(name, lengthList)
        End If
        Dim namePosition As Integer = 1
        Dim lengthPosition As Integer = 1
        Dim firstName As String = getNextString(name, namePosition)
        Dim firstLength As String = getNextString(lengthList, lengthPosition)
        Dim item As String = firstName
        Dim length As String = firstLength
        Dim result As String = ""
        Dim languagePosition As Integer = 1
        Dim language As String = getNextString(languageList, languagePosition)
        While language <> ""
            result = result & increaseLengthElement(item, length) & ";;"
            item = getNextString(name, namePosition)
            If item = "" Then
                item = firstName
            End If
            length = getNextString(lengthList, lengthPosition)
            If length = "" Then
                length = firstLength
            End If
            language = getNextString(languageList, languagePosition)
        End While
        Return result
    End Function

    Public Function increaseLengthElement(ByVal name As String, ByVal length As String) As String
        Dim stored As Integer
        If Not Integer.TryParse(length, stored) Then
            stored = 2
        End If
        If Len(name) > stored Then
            Return CStr(Len(name))
        End If
        Return CStr(stored)
    End Function

    ' The text from position (1 for the first character) to the next ";;";
    ' position moves past it. "" at the end of the list.
    Public Function getNextString(ByVal list As String, ByRef position As Integer) As String
        If position > Len(list) Then
            Return ""
        End If
        Dim found As Integer = InStr(position, list, ";;")
        Dim item As String
        If found = 0 Then
            item = Mid(list, position)
            position = Len(list) + 1
        Else
            item = Mid(list, position, found - position)
            position = found + 2
        End If
        Return item
    End Function
    # End Region
     End Class
