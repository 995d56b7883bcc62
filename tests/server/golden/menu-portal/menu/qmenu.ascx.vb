Imports System.IO
Imports System.Threading
Imports System.Globalization
Imports System.Web.HttpServerUtility
Imports System.Web.HttpContext
Imports DotNetNuke.Entities.Modules
Imports DotNetNuke.Entities.Tabs

    Partial Class qmenu
    Inherits PortalModuleBase
    Protected menuScript As String

    Private Sub Page_Load(ByVal sender As System.Object, ByVal e As System.EventArgs) Handles MyBase.Load
        Dim content As String
        content = Menu()
        menuScript = "<script type=""text/javascript"">" & vbNewLine & content & vbNewLine & "</script>" & vbNewLine
    End Sub

    Private Function menu() As String
        Dim wv As String = ""
        ' 576 statements of script text
        wv = wv & DnnDirectory("36","r||str||","e1d2",0,"2","",True,"normal") & vbnewline 
        ' 14 statements of script text
        Return wv
    End Function

    # Region "DNN functions"
    ' A portal section: tabID 0 is the whole portal, -1 the page being shown,
    ' any other number a tab whose parent's children are listed.
    Public Function DnnDirectory(ByVal tabID As Integer, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String) As String
        Dim portal As DotNetNuke.Entities.Portals.PortalSettings = DotNetNuke.Entities.Portals.PortalController.GetCurrentPortalSettings()
        Dim tabs As New DotNetNuke.Entities.Tabs.TabController()
        Dim parentID As Integer = 0
        Dim parentName As String = ""
        Dim header As String = ""
        If tabID = -1 Then
            tabID = portal.ActiveTab.TabID
        End If
        If tabID <> 0 Then
            Dim tab As DotNetNuke.Entities.Tabs.TabInfo = tabs.GetTab(tabID, portal.PortalId, False)
            If Not tab Is Nothing Then
                If tab.ParentId > 0 Then
                    parentID = tab.ParentId
                    If InStr(txtOptions, "ih||") > 0 Then
                        parentName = dnnTitle(tabs.GetTab(parentID, portal.PortalId, False))
                    End If
                End If
            End If
        End If
        If job = "normal" Then
            If InStr(txtOptions, "nmf||") > 0 And parentID = 0 Then
                ' The page is in the main menu: the section is one entry, or nothing.
                If InStr(txtOptions, "rmf||") > 0 Then
                    Dim name As String = dnnTemplate(txtOptions, "[#", "#]")
                    secn = nextD(secn)
                    firstDirectory = False
                    Return f("mf") & "(""" & secn & """,""nlnf"",""" & name & """,""""," & """" & colWidthList & """);" & vbNewLine & f("de") & "();" & vbNewLine
                End If
                Return ""
            End If
            If InStr(txtOptions, "ih||") > 0 Then
                Dim title As String = dnnTemplate(txtOptions, "[$", "$]").Replace("[FOLDERNAME]", parentName)
                batchLinkLine(header, "nl", "", title, txtOptions, secn, indent, nameLengthList, colWidthList, firstDirectory, job)
                firstDirectory = False
            End If
        End If
        Return header & DnnDirectory1(parentID, txtOptions, secn, indent, nameLengthList, colWidthList, firstDirectory, job)
    End Function

    ' The tabs under tabID (0: the portal's top tabs) that the visitor may see now.
    Public Function DnnDirectory1(ByVal tabID As Integer, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String) As String
        Dim portal As DotNetNuke.Entities.Portals.PortalSettings = DotNetNuke.Entities.Portals.PortalController.GetCurrentPortalSettings()
        Dim tabs As New DotNetNuke.Entities.Tabs.TabController()
        Dim w As String = ""
        For Each tab As DotNetNuke.Entities.Tabs.TabInfo In tabs.GetTabsByPortal(portal.PortalId).Values
            If dnnTabShown(tab, tabID, portal.PortalId) Then
                DnnSubfolder(w, tab, txtOptions, secn, indent, nameLengthList, colWidthList, firstDirectory, job)
                firstDirectory = False
            End If
        Next
        Return w
    End Function

    ' A tab with shown children becomes a folder (with "str||") around them;
    ' a tab without is a page.
    Public Sub DnnSubfolder(ByRef w As String, ByVal tab As DotNetNuke.Entities.Tabs.TabInfo, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        Dim structured As Boolean = InStr(txtOptions, "str||") > 0
        Dim folder As String = ""
        Dim folderSecn As String = secn
        Dim folderLengths As String = nameLengthList
        Dim folderWidths As String = colWidthList
        Dim folderFirst As Boolean = firstDirectory
        If structured Then
            Dim name As String = dnnTitle(tab)
            batchFolderLine(folder, name, txtOptions, folderSecn, indent, folderLengths, folderWidths, folderFirst, job)
        End If
        Dim childSecn As String = folderSecn & "d0"
        Dim childLengths As String = "2"
        Dim childWidths As String = ""
        Dim childFirst As Boolean = True
        Dim children As String = DnnDirectory1(tab.TabID, txtOptions, childSecn, indent + 1, childLengths, childWidths, childFirst, job)
        If children <> "" Then
            w = w & folder & children
            If structured And job = "normal" Then
                w = w & f("de") & "();" & vbNewLine
            End If
            secn = folderSecn
            nameLengthList = folderLengths
            colWidthList = folderWidths
            firstDirectory = folderFirst
        Else
            DnnFile(w, tab, txtOptions, secn, indent, nameLengthList, colWidthList, firstDirectory, job)
        End If
    End Sub

    Public Sub DnnFile(ByRef w As String, ByVal tab As DotNetNuke.Entities.Tabs.TabInfo, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        Dim name As String = dnnTitle(tab)
        nameLengthList = increaseLength(name, nameLengthList)
        batchLinkLine(w, "", tab.FullUrl, name, txtOptions, secn, indent, nameLengthList, colWidthList, firstDirectory, job)
    End Sub

    Private Function dnnTabShown(ByVal tab As DotNetNuke.Entities.Tabs.TabInfo, ByVal parentID As Integer, ByVal portalID As Integer) As Boolean
        If parentID = 0 Then
            If tab.ParentId > 0 Then
                Return False
            End If
        ElseIf tab.ParentId <> parentID Then
            Return False
        End If
        If tab.PortalID <> portalID Or Not tab.IsVisible Or tab.IsDeleted Then
            Return False
        End If
        If tab.StartDate <> Date.MinValue And tab.StartDate > Now Then
            Return False
        End If
        If tab.EndDate <> Date.MinValue And tab.EndDate < Now Then
            Return False
        End If
        Return DotNetNuke.Security.PortalSecurity.IsInRoles(tab.AuthorizedRoles)
    End Function

    Private Function dnnTitle(ByVal tab As DotNetNuke.Entities.Tabs.TabInfo) As String
        If tab Is Nothing Then
            Return ""
        End If
        If tab.Title <> "" Then
            Return tab.Title
        End If
        Return tab.TabName
    End Function

    ' The text between the two marks of the option string, or "".
    Private Function dnnTemplate(ByVal txtOptions As String, ByVal openMark As String, ByVal closeMark As String) As String
        Dim first As Integer = InStr(txtOptions, openMark)
        If first = 0 Then
            Return ""
        End If
        first = first + Len(openMark)
        Dim last As Integer = InStr(first, txtOptions, closeMark)
        If last = 0 Then
            Return ""
        End If
        Return Mid(txtOptions, first, last - first)
    End Function
    # End Region

    # Region "Common to batch options"
    ' One folder entry: a site map line, or an mf or sf call that opens a
    ' sub-menu.
    Public Sub batchFolderLine(ByRef w As String, ByVal name As String, ByVal txtOptions As String, ByRef secn As String, ByVal indent As Integer, ByRef nameLengthList As String, ByRef colWidthList As String, ByRef firstDirectory As Boolean, ByVal job As String)
        secn = nextD(secn)
        If job = "siteMap" Then
            w = w & smFolder(replaceDash(name, txtOptions), indent, isMainFolder(secn))
            Return
        End If
        Dim text As String = replaceDash(name.Replace("""", "'"), txtOptions)
        Dim k As String = ""
        If isMainFolder(secn) Then
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
        If isMainFolder(secn) Then
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
